#include "demo/track_catalogue.h"

#include <array>
#include <string>
#include <string_view>

namespace vx {
namespace {

constexpr std::array<std::string_view, 6> kArtists = {
    "DJ\xB0\xA2\xB8\xA3",  // DJ阿福
    "DJ\xD0\xA1\xCE\xB0",  // DJ小伟
    "DJ\xCE\xC4\xC1\xFA",  // DJ文龙
    "DJ\xC9\xF2\xC4\xEE",  // DJ沈念
    "DJ\xD4\xB6\xBA\xBD",  // DJ远航
    "DJ\xBE\xC5\xB8\xE8",  // DJ九歌
};

constexpr std::array<std::string_view, 12> kTitles = {
    "\xC4\xDE\xBA\xE7\xD0\xC4\xCC\xF8",  // 霓虹心跳
    "\xCE\xE7\xD2\xB9\xC5\xC9\xB6\xD4",  // 午夜派对
    "\xB3\xC7\xCA\xD0\xD6\xAE\xB9\xE2",  // 城市之光
    "\xD0\xC7\xBA\xD3\xC2\xFE\xD3\xCE",  // 星河漫游
    "\xD0\xFD\xC2\xC9\xB7\xE7\xB1\xA9",  // 旋律风暴
    "\xBA\xA3\xB7\xE7\xC7\xE1\xB4\xB5",  // 海风轻吹
    "\xB2\xBB\xC3\xDF\xD6\xAE\xD2\xB9",  // 不眠之夜
    "\xC3\xCE\xC0\xEF\xBB\xA8\xBF\xAA",  // 梦里花开
    "\xCA\xB1\xB9\xE2\xC1\xD0\xB3\xB5",  // 时光列车
    "\xC0\xB6\xC9\xAB\xD4\xC2\xB9\xE2",  // 蓝色月光
    "\xC9\xBD\xBA\xD3\xD4\xB6\xD0\xD0",  // 山河远行
    "\xD3\xEA\xD2\xB9\xBD\xD6\xCD\xB7",  // 雨夜街头
};

constexpr std::array<std::string_view, 5> kStyles = {
    "\xC2\xFD\xD2\xA1\xB4\xAE\xC9\xD5",  // 慢摇串烧
    "\xD6\xD0\xCE\xC4\xCE\xE8\xC7\xFA",  // 中文舞曲
    "\xB5\xE7\xD2\xF4\xBB\xEC\xD2\xF4",  // 电音混音
    "\xB3\xB5\xD4\xD8\xBE\xA2\xB1\xAC",  // 车载劲爆
    "\xD6\xD8\xB5\xCD\xD2\xF4\xB0\xE6",  // 重低音版
};

constexpr std::string_view kExclusive = "\xA1\xBE\xB6\xC0\xBC\xD2\xA1\xBF";  // 【独家】
// （Ｒｅｍｉｘ）
constexpr std::string_view kRemix = "\xA3\xA8\xA3\xD2\xA3\xE5\xA3\xED\xA3\xE9\xA3\xF8\xA3\xA9";
constexpr std::string_view kDjVersion = "\xA3\xC4\xA3\xCA\xB0\xE6";  // ＤＪ版
constexpr std::string_view kOrdinal = "\xB5\xDA";                    // 第
constexpr std::string_view kTrackWord = "\xCA\xD7";                  // 首

// Digits written with the full-width forms A3 B0 to A3 B9.
std::string full_width_number(int value) {
    std::string out;
    for (const char digit : std::to_string(value)) {
        out += '\xA3';
        out += static_cast<char>(0xB0 + (digit - '0'));
    }
    return out;
}

template <std::size_t N>
std::string_view pick(const std::array<std::string_view, N>& words, int serial) {
    return words[static_cast<std::size_t>(serial) % N];
}

}  // namespace

Text demo_track_name(int serial) {
    const std::string number = std::to_string(serial);
    const auto artist = pick(kArtists, serial);
    const auto title = pick(kTitles, serial / 3);
    const auto style = pick(kStyles, serial / 7);
    std::string name;
    switch (serial % 5) {
        case 0:
            name = std::string(artist) + " - " + std::string(title) + " " + std::string(style) +
                   " Vol." + number;
            break;
        case 1:
            name = std::string(kExclusive) + std::string(title) + std::string(kRemix) +
                   std::string(kOrdinal) + full_width_number(serial) + std::string(kTrackWord);
            break;
        case 2:
            name = std::string(title) + " 2024 " + std::string(style) + " 128BPM No." + number;
            break;
        case 3:
            name = std::string(title) + std::string(style) + std::string(kDjVersion) + " " + number;
            break;
        default:
            name = std::string(artist) + " Club House " + std::string(title) + " " + number;
            break;
    }
    return Text(std::move(name));
}

Text demo_track_link(int serial) {
    return Text("/play/" + std::to_string(serial) + ".htm");
}

Text demo_media_id(int serial) {
    const int year = 2023 + serial % 3;
    const int month = 1 + serial % 12;
    std::string id = std::to_string(year) + "/" + (month < 10 ? "0" : "") + std::to_string(month) +
                     "/dj" + std::to_string(serial);
    return Text(std::move(id));
}

std::vector<DemoTrack> make_demo_tracks(int first_serial, int count) {
    std::vector<DemoTrack> tracks;
    tracks.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        const int serial = first_serial + i;
        tracks.push_back(DemoTrack{demo_track_name(serial), demo_track_link(serial),
                                   demo_media_id(serial), Bytes{}});
    }
    return tracks;
}

}  // namespace vx
