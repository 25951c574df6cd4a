#include "text/regex_object.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/codepage.h"
#include "text/pcre2_handles.h"
#include "text/text_between.h"

namespace vx {
namespace {

// Limits that keep a worker from hanging on a pattern that backtracks without
// end. A run that hits one of them counts as a failed run.
constexpr std::uint32_t kMatchLimit = 10'000'000;
constexpr std::uint32_t kDepthLimit = 10'000'000;
constexpr std::uint32_t kHeapLimitKib = 256 * 1024;
// The limits above hold for one search; a global run makes one search per
// match, so the whole run also has a time budget.
constexpr auto kRunBudget = std::chrono::seconds(3);
// The JIT keeps its backtracking frames on a stack. A group repeated over a
// whole page needs far more than the 32 KiB that a search starts with.
constexpr std::size_t kJitStackStart = 64 * 1024;
constexpr std::size_t kJitStackMax = 16 * 1024 * 1024;
// Compiling for the JIT costs more than the interpreter spends on a short
// text (a page's first 1024 bytes, searched for its charset on every fetch);
// it pays off only over longer texts such as a whole track table.
constexpr std::size_t kJitMinimumSubject = 8 * 1024;

PCRE2_SPTR16 units(const std::u16string& s) {
    return reinterpret_cast<PCRE2_SPTR16>(s.data());
}

bool is_ascii_letter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

unsigned char fold(unsigned char c) {
    return is_ascii_letter(c) ? (c | 0x20) : c;
}

}  // namespace

struct RegexObject::Engine {
    Text pattern;
    std::u16string subject;
    bool ignore_case = true;
    bool global = true;

    pcre2::Code code;
    pcre2::MatchContext match_context;
    pcre2::JitStack jit_stack;

    // Per match: start and end of the whole match, then of each group, in
    // UTF-16 units; PCRE2_UNSET for a group that took no part.
    std::uint32_t group_count = 0;  // PCRE2 reports it as a 32-bit count
    std::size_t matches = 0;
    std::vector<PCRE2_SIZE> spans;

    // The searched text as it comes back out of UTF-16, and which of its
    // bytes start a character; made when a position is first asked.
    mutable std::optional<Text> searched;
    mutable std::vector<bool> char_starts;

    bool compile(bool multiline);
    bool grow_jit_stack();
    bool run();

    const PCRE2_SIZE* match(int match_no) const {
        if (match_no < 1 || static_cast<std::size_t>(match_no) > matches) {
            return nullptr;
        }
        return spans.data() + (static_cast<std::size_t>(match_no) - 1) * (group_count + 1) * 2;
    }

    Text slice(PCRE2_SIZE start, PCRE2_SIZE end) const {
        if (start == PCRE2_UNSET || end < start) {
            return {};
        }
        return Text(utf16_to_cp936(std::u16string_view(subject).substr(start, end - start)));
    }

    Position locate(PCRE2_SIZE first_index, std::string_view found) const;
};

bool RegexObject::Engine::compile(bool multiline) {
    const pcre2::CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context) {
        return false;
    }
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);

    // \w and the other classes stay ASCII (no PCRE2_UCP); the dot takes
    // everything but a line feed, so a carriage return is matched. With
    // Multiline, ^ matches after every line feed, a final one included.
    std::uint32_t options = PCRE2_UTF | PCRE2_NEVER_BACKSLASH_C | PCRE2_ALT_BSUX;
    options |= multiline ? PCRE2_MULTILINE | PCRE2_ALT_CIRCUMFLEX : PCRE2_DOLLAR_ENDONLY;
    if (ignore_case) {
        options |= PCRE2_CASELESS;
    }
    const std::u16string wide = cp936_to_utf16(pattern.view());
    int error = 0;
    PCRE2_SIZE error_offset = 0;
    code.reset(
        pcre2_compile(units(wide), wide.size(), options, &error, &error_offset, context.get()));
    if (!code) {
        return false;
    }
    pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &group_count);

    match_context.reset(pcre2_match_context_create(nullptr));
    if (!match_context) {
        return false;
    }
    pcre2_set_match_limit(match_context.get(), kMatchLimit);
    pcre2_set_depth_limit(match_context.get(), kDepthLimit);
    pcre2_set_heap_limit(match_context.get(), kHeapLimitKib);
    // Without the JIT the interpreter runs the same pattern, only slower.
    if (subject.size() >= kJitMinimumSubject) {
        pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
    }
    return true;
}

// The JIT starts on 32 KiB of the machine stack; a search that needs more
// gets a stack of its own, once. Mapping that stack up front would cost more
// than a short search does.
bool RegexObject::Engine::grow_jit_stack() {
    if (jit_stack) {
        return false;
    }
    jit_stack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
    if (!jit_stack) {
        return false;
    }
    pcre2_jit_stack_assign(match_context.get(), nullptr, jit_stack.get());
    return true;
}

// Every match left to right; after an empty match the next try at the same
// place must not be empty, and when there is none the search steps one
// character on.
bool RegexObject::Engine::run() {
    const pcre2::MatchData data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    if (!data) {
        return false;
    }
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
    const std::size_t pairs = group_count + 1;
    PCRE2_SIZE offset = 0;
    std::uint32_t options = 0;
    const auto deadline = std::chrono::steady_clock::now() + kRunBudget;
    while (offset <= subject.size()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        const int rc = pcre2_match(code.get(), units(subject), subject.size(), offset,
                                   options | PCRE2_NO_UTF_CHECK, data.get(), match_context.get());
        if (rc == PCRE2_ERROR_JIT_STACKLIMIT && grow_jit_stack()) {
            continue;  // the same search again
        }
        if (rc == PCRE2_ERROR_NOMATCH) {
            if (options == 0) {
                break;
            }
            options = 0;
            offset += 1;
            continue;
        }
        if (rc < 0 || ovector[0] > ovector[1]) {
            return false;  // a limit, or a match that \K turned backwards
        }
        spans.insert(spans.end(), ovector, ovector + pairs * 2);
        ++matches;
        if (!global) {
            break;
        }
        offset = ovector[1];
        options = ovector[0] == ovector[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
    }
    return true;
}

// Finds `found` in the searched text from byte `first_index` on, by
// characters and folding ASCII letters when the run ignored case. The first
// index counts UTF-16 units, so it never lies after the text's own byte
// offset; when it falls on the second byte of a character the search begins
// at the next character.
Position RegexObject::Engine::locate(PCRE2_SIZE first_index, std::string_view found) const {
    if (!searched) {
        searched = Text(utf16_to_cp936(subject));
        const std::string_view t = searched->view();
        char_starts.assign(t.size() + 1, false);
        for (std::size_t i = 0; i < t.size(); i += character_length(t, i)) {
            char_starts[i] = true;
        }
        char_starts[t.size()] = true;
    }
    const std::string_view t = searched->view();
    std::size_t i = first_index;
    while (i < t.size() && !char_starts[i]) {
        ++i;
    }
    if (i > t.size()) {
        return -2;
    }
    if (found.empty()) {
        // As with every search for an empty text: found at the first byte
        // whenever any byte lies at or after the start.
        return first_index < t.size() ? 0 : -2;
    }
    for (; i + found.size() <= t.size(); i += character_length(t, i)) {
        std::size_t k = 0;
        while (k < found.size()) {
            const auto want = static_cast<unsigned char>(found[k]);
            const auto have = static_cast<unsigned char>(t[i + k]);
            if (want >= 0x80) {
                // A two-byte character compares exactly, second byte included.
                if (have != want || k + 1 >= found.size() || t[i + k + 1] != found[k + 1]) {
                    break;
                }
                k += 2;
            } else {
                if (ignore_case ? fold(have) != fold(want) : have != want) {
                    break;
                }
                k += 1;
            }
        }
        if (k >= found.size()) {
            return static_cast<Position>(i);
        }
    }
    return -2;
}

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;

bool RegexObject::execute(std::string_view pattern, std::string_view text, bool case_sensitive,
                          bool multiline, bool global, bool quote_token) {
    // A fresh engine every run; nothing of the last run survives.
    engine_ = std::make_unique<Engine>();
    Engine& e = *engine_;
    e.ignore_case = !case_sensitive;
    e.global = global;
    e.pattern = quote_token ? replace_quote_tokens(pattern) : Text(pattern);
    e.subject = cp936_to_utf16(Text(text).view());
    if (!e.compile(multiline)) {
        e.code.reset();
        return false;
    }
    if (!e.run()) {
        // Nothing of a run that stopped at a limit is kept, and replace
        // does not start it again.
        e.matches = 0;
        e.spans.clear();
        e.code.reset();
        return false;
    }
    return true;
}

Text RegexObject::pattern_text() const {
    return engine_ ? engine_->pattern : Text();
}

Text RegexObject::replace(std::string_view replacement) const {
    if (!engine_ || !engine_->code) {
        return {};
    }
    const Engine& e = *engine_;
    const std::u16string with = cp936_to_utf16(Text(replacement).view());
    const std::uint32_t options = PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_NO_UTF_CHECK |
                                  (e.global ? PCRE2_SUBSTITUTE_GLOBAL : 0);
    std::u16string out(e.subject.size() + with.size() + 64, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int rc =
            pcre2_substitute(e.code.get(), units(e.subject), e.subject.size(), 0, options, nullptr,
                             e.match_context.get(), units(with), with.size(),
                             reinterpret_cast<PCRE2_UCHAR16*>(out.data()), &length);
        if (rc >= 0) {
            out.resize(length);
            return Text(utf16_to_cp936(out));
        }
        if (rc != PCRE2_ERROR_NOMEMORY) {
            break;
        }
        out.assign(length, u'\0');  // `length` now holds the size needed
    }
    return {};
}

int RegexObject::match_count() const {
    return engine_ ? static_cast<int>(engine_->matches) : 0;
}

Text RegexObject::match_text(int match_no, Position* position) const {
    const PCRE2_SIZE* m = engine_ ? engine_->match(match_no) : nullptr;
    if (m == nullptr) {
        if (position != nullptr) {
            *position = -2;
        }
        return {};
    }
    Text found = engine_->slice(m[0], m[1]);
    if (position != nullptr) {
        *position = engine_->locate(m[0], found.view());
    }
    return found;
}

Text RegexObject::submatch_text(int match_no, int submatch_no, Position* position) const {
    const PCRE2_SIZE* m = engine_ ? engine_->match(match_no) : nullptr;
    if (m == nullptr || submatch_no < 1 ||
        static_cast<std::size_t>(submatch_no) > engine_->group_count) {
        if (position != nullptr) {
            *position = -2;
        }
        return {};
    }
    const auto g = static_cast<std::size_t>(submatch_no) * 2;
    Text found = engine_->slice(m[g], m[g + 1]);
    if (position != nullptr) {
        // A group carries no position of its own; search from its match's.
        *position = engine_->locate(m[0], found.view());
    }
    return found;
}

int RegexObject::submatch_count() const {
    if (!engine_ || engine_->matches == 0) {
        return 0;
    }
    return static_cast<int>(engine_->group_count);
}

}  // namespace vx
