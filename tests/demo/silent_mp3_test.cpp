#include "demo/silent_mp3.h"

#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

// 霓虹心跳
constexpr const char* kTitle = "DJ \xC4\xDE\xBA\xE7\xD0\xC4\xCC\xF8";

std::size_t tag_size(const Bytes& file) {
    // Ten header bytes, then a sync-safe size.
    std::size_t size = 0;
    for (int i = 6; i < 10; ++i) {
        size = (size << 7) | (static_cast<unsigned char>(file[static_cast<std::size_t>(i)]) & 0x7F);
    }
    return 10 + size;
}

TEST(SilentMp3, TagCarriesTheTitleThenWholeSilentFrames) {
    for (const std::size_t asked : {std::size_t{0}, std::size_t{5000}, std::size_t{1024 * 1024}}) {
        const SilentMp3 mp3(kTitle, asked);
        const Bytes file = mp3.bytes();
        ASSERT_EQ(file.size(), mp3.size());
        ASSERT_EQ(file.substr(0, 4), std::string("ID3\x03", 4));
        const std::size_t tag = tag_size(file);
        ASSERT_LT(tag, file.size());
        // TIT2 in UTF-16LE with a byte order mark: 霓 is U+9713.
        EXPECT_EQ(file.substr(10, 4), "TIT2");
        EXPECT_NE(file.substr(0, tag).find(std::string("\xFF\xFE"
                                                       "D\0J\0 \0\x13\x97",
                                                       10)),
                  std::string::npos);

        ASSERT_EQ((file.size() - tag) % SilentMp3::kFrameSize, 0u);
        for (std::size_t at = tag; at < file.size(); at += SilentMp3::kFrameSize) {
            ASSERT_EQ(file.substr(at, 4), "\xFF\xFB\x90\x44") << at;
            const std::size_t next = at + SilentMp3::kFrameSize;
            const std::size_t nonzero = file.find_first_not_of('\0', at + 4);
            ASSERT_EQ(nonzero == std::string::npos ? file.size() : nonzero, next) << at;
        }
        if (asked > 0) {
            EXPECT_NEAR(static_cast<double>(file.size()), static_cast<double>(asked),
                        SilentMp3::kFrameSize);
        }
    }
}

TEST(SilentMp3, PiecesJoinToTheWholeFile) {
    const SilentMp3 mp3(kTitle, 20000);
    const Bytes whole = mp3.bytes();
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{417},
                                    std::size_t{1000}, std::size_t{65536}}) {
        Bytes joined;
        for (std::size_t at = 0; at < mp3.size(); at += piece) {
            mp3.append_range(at, piece, joined);
        }
        EXPECT_TRUE(joined == whole) << piece;
    }
    Bytes past_end;
    mp3.append_range(mp3.size() - 2, 100, past_end);
    mp3.append_range(mp3.size() + 5, 100, past_end);
    EXPECT_EQ(past_end, whole.substr(whole.size() - 2));
}

TEST(SilentMp3, DifferentTitlesGiveDifferentFiles) {
    EXPECT_NE(SilentMp3("a", 0).bytes(), SilentMp3("b", 0).bytes());
}

}  // namespace
}  // namespace vx
