#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vx {

// A block of raw bytes with an explicit length. It may hold zero bytes; the
// absent block and the empty block are the same value.
using Bytes = std::string;

// Code page 936 text: one byte per ASCII character, two bytes for any other
// character (the first of the two 0x80 or above). Like the C strings it
// stands for, a Text never holds a zero byte: every way in stops at the first
// one. The absent text and the empty text are one value.
class Text {
  public:
    Text() = default;
    Text(const char* s) : bytes_(s != nullptr ? s : "") {}
    Text(std::string_view s) : bytes_(s.substr(0, s.find('\0'))) {}
    Text(const std::string& s) : Text(std::string_view(s)) {}
    Text(std::string&& s) : bytes_(std::move(s)) { cut_at_zero(); }

    const std::string& str() const noexcept { return bytes_; }
    std::string_view view() const noexcept { return bytes_; }
    operator std::string_view() const noexcept { return bytes_; }
    const char* c_str() const noexcept { return bytes_.c_str(); }
    const char* data() const noexcept { return bytes_.data(); }

    std::size_t size() const noexcept { return bytes_.size(); }
    bool empty() const noexcept { return bytes_.empty(); }
    char operator[](std::size_t i) const { return bytes_[i]; }
    auto begin() const noexcept { return bytes_.begin(); }
    auto end() const noexcept { return bytes_.end(); }

    Text& operator+=(std::string_view s) {
        bytes_.append(s.substr(0, s.find('\0')));
        return *this;
    }
    Text& operator+=(const Text& s) {
        bytes_ += s.bytes_;
        return *this;
    }
    Text& operator+=(const char* s) { return *this += std::string_view(s != nullptr ? s : ""); }

    friend Text operator+(Text a, const Text& b) {
        a += b;
        return a;
    }
    friend bool operator==(const Text& a, const Text& b) noexcept { return a.bytes_ == b.bytes_; }
    friend auto operator<=>(const Text& a, const Text& b) noexcept { return a.bytes_ <=> b.bytes_; }

  private:
    void cut_at_zero() {
        if (const auto zero = bytes_.find('\0'); zero != std::string::npos) {
            bytes_.resize(zero);
        }
    }

    std::string bytes_;
};

// An ordered list of texts. The routines that speak of positions in a list
// number its members from 1.
using TextList = std::vector<Text>;

}  // namespace vx
