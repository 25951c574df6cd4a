// The plain file fetch: its request form, the rename into place on success,
// and every failure leaving the target as it was with no temporary file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "http/file_fetch.h"
#include "tests/http/raw_server.h"

namespace vx {
namespace {

using test::RawConnection;
using test::RawServer;

class FileFetch : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vx-fetch-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path target() const { return folder_ / "track.mp3"; }

    void write_existing(const std::string& content) const {
        std::ofstream(target(), std::ios::binary) << content;
    }

    std::string read_target() const {
        std::ifstream in(target(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    // The folder holds the target only (or nothing), never a leftover.
    void expect_no_leftovers() const {
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            EXPECT_EQ(entry.path(), target()) << "leftover " << entry.path();
        }
    }

    std::filesystem::path folder_;
};

RawServer::Script reply_with(std::string reply) {
    return [reply = std::move(reply)](RawConnection& connection) {
        if (!connection.read_request().empty()) {
            connection.send(reply);
        }
    };
}

TEST_F(FileFetch, SavesTheBodyUnderTheTargetWithTheOldRequestForm) {
    const std::string body("ID3\0\xFF\xFB mp3 bytes", 16);
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK", "", body)));
    write_existing("an older file");
    const FileFetchResult result = fetch_to_file(server.url("/media/7 a.mp3"), target());
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.bytes, body.size());
    EXPECT_EQ(read_target(), body);
    expect_no_leftovers();
    // The file has the permissions any new file gets here.
    std::ofstream(folder_ / "plain") << "x";
    EXPECT_EQ(std::filesystem::status(target()).permissions(),
              std::filesystem::status(folder_ / "plain").permissions());
    std::filesystem::remove(folder_ / "plain");
    EXPECT_EQ(server.first_request(),
              "GET /media/7%20a.mp3 HTTP/1.0\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) +
                  "\r\n"
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
                  "Accept: */*\r\n"
                  "Pragma: no-cache\r\n\r\n");
}

TEST_F(FileFetch, BodyWithoutLengthEndsAtClose) {
    RawServer server(reply_with("HTTP/1.0 200 OK\r\n\r\n" + std::string(70000, 'b')));
    const FileFetchResult result = fetch_to_file(server.url("/x"), target());
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_target(), std::string(70000, 'b'));
}

TEST_F(FileFetch, FailuresLeaveTheTargetAndNoTemporaryFile) {
    const int refused_port = [] {
        RawServer closed([](RawConnection&) {});
        return closed.port();
    }();
    struct Case {
        std::string name;
        std::string reply;  // empty: the address is used as given
        std::string address;
        long status;
    };
    const Case cases[] = {
        {"not found", test::http_reply("HTTP/1.1 404 Not Found", "", "no such track"), "", 404},
        {"server error", test::http_reply("HTTP/1.1 500 Oops", "", ""), "", 500},
        {"cut-off body", "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" + std::string(500, 'x'),
         "", 200},
        {"empty body over an existing file", test::http_reply("HTTP/1.1 200 OK", "", ""), "", 200},
        {"not HTTP at all", "garbage", "", 0},
        {"empty address", "", "-", 0},
        {"line break in the address", "", "http://127.0.0.1/a\r\nX-Injected: 1", 0},
        {"connection refused", "", "http://127.0.0.1:" + std::to_string(refused_port) + "/x", 0},
    };
    for (const auto& c : cases) {
        write_existing("the old file");
        RawServer server(reply_with(c.reply));
        const std::string address =
            c.address.empty() ? server.url("/t.mp3") : (c.address == "-" ? "" : c.address);
        const FileFetchResult result = fetch_to_file(address, target());
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_FALSE(result.error.empty()) << c.name;
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(read_target(), "the old file") << c.name;
        expect_no_leftovers();
    }
}

TEST_F(FileFetch, FailureWithoutAnExistingFileCreatesNone) {
    RawServer server(reply_with(test::http_reply("HTTP/1.1 404 Not Found", "", "missing")));
    EXPECT_FALSE(fetch_to_file(server.url("/t.mp3"), target()).ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(FileFetch, MissingFolderIsAReportedFailure) {
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK", "", "x")));
    const FileFetchResult result =
        fetch_to_file(server.url("/t.mp3"), folder_ / "no-such-folder" / "t.mp3");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(FileFetch, RedirectIsFollowedToTheFile) {
    RawServer server([](RawConnection& connection) {
        const std::string request = connection.read_request();
        if (request.starts_with("GET /old ")) {
            connection.send(test::http_reply("HTTP/1.1 302 Found", "Location: /new\r\n", "moved"));
        } else if (!request.empty()) {
            connection.send(test::http_reply("HTTP/1.1 200 OK", "", "the track"));
        }
    });
    const FileFetchResult result = fetch_to_file(server.url("/old"), target());
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_target(), "the track");
}

}  // namespace
}  // namespace vx
