#include "http/file_fetch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "http/curl_handle.h"
#include "http/transfer_loop.h"
#include "http/url_parts.h"

namespace vx {
namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::chrono::milliseconds kIdleLimit{30000};
constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr long kMaxRedirects = 10;
constexpr std::string_view kNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int kCreateAttempts = 100;
// Longer names are shortened in the temporary name so that it stays a valid file name.
constexpr std::size_t kMaxNameInTemporary = 200;

bool is_success(long status) {
    return status >= 200 && status < 300;
}

// A temporary file beside the target, removed unless it was moved into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        std::string name = target.filename().string();
        if (name.size() > kMaxNameInTemporary) {
            name.resize(kMaxNameInTemporary);
        }
        // A leading dot and the ".part-" suffix keep it apart from any track's
        // name. Created exclusively with the usual mode (the umask applies), so
        // that the finished file gets the permissions any new file would.
        std::random_device random;
        std::uniform_int_distribution<std::size_t> pick(0, kNameCharacters.size() - 1);
        for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
            std::string suffix(6, ' ');
            for (char& c : suffix) {
                c = kNameCharacters[pick(random)];
            }
            const std::filesystem::path path = folder / ("." + name + ".part-" + suffix);
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = path;
                return;
            }
            error_ = errno;
            if (error_ != EEXIST) {
                return;
            }
        }
    }
    ~TemporaryFile() {
        close();
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool open() const noexcept { return fd_ >= 0; }
    int error() const noexcept { return error_; }

    bool write(const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                error_ = errno;
                return false;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool close() {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        if (result != 0) {
            error_ = errno;
        }
        return result == 0;
    }

    // Renames the finished file over the target; afterwards nothing is removed.
    bool commit(const std::filesystem::path& target) {
        std::error_code error;
        std::filesystem::rename(path_, target, error);
        if (error) {
            error_ = error.value();
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    int error_ = 0;
};

struct Sink {
    TemporaryFile* file;
    CURL* easy;
    std::uint64_t bytes = 0;
    bool write_failed = false;
    bool refused_status = false;
};

size_t on_body(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const std::size_t length = size * count;
    // An error page is never saved: end the transfer at its first byte.
    long status = 0;
    curl_easy_getinfo(sink->easy, CURLINFO_RESPONSE_CODE, &status);
    if (!is_success(status)) {
        sink->refused_status = true;
        return 0;
    }
    if (!sink->file->write(data, length)) {
        sink->write_failed = true;
        return 0;
    }
    sink->bytes += length;
    return length;
}

FileFetchResult failure(FileFetchResult result, std::string why) {
    result.ok = false;
    result.error = std::move(why);
    return result;
}

}  // namespace

FileFetchResult fetch_to_file(std::string_view url, const std::filesystem::path& target,
                              const TransferControl* control) {
    FileFetchResult result;
    if (url.empty()) {
        return failure(result, "empty address");
    }
    // Checked as web_access checks addresses: http or https, a host, a valid
    // port, no control bytes.
    if (!crack_url(url)) {
        return failure(result, "cannot parse the address");
    }
    if (target.empty() || !target.has_filename()) {
        return failure(result, "no target file name");
    }
    if (control != nullptr && !control->wait_while_paused()) {
        return failure(result, "stopped");
    }
    ensure_curl_started();
    const CurlEasy easy(curl_easy_init());
    const CurlMulti multi(curl_multi_init());
    CurlSlist headers;
    if (!easy || !multi || !append_header(headers, "Accept: */*") ||
        !append_header(headers, "Pragma: no-cache")) {
        return failure(result, "could not set up the transfer");
    }
    TemporaryFile file(target);
    if (!file.open()) {
        return failure(
            result, std::string("cannot create a temporary file: ") + std::strerror(file.error()));
    }
    std::string address;
    for (const char c : url) {
        address += c == ' ' ? std::string_view("%20") : std::string_view(&c, 1);
    }
    Sink sink{.file = &file, .easy = easy.get()};
    CURL* const handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // A name lookup still running when the transfer ends is left to finish on
    // its own; waiting for it would hold Stop and the time limit.
    curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(handle, CURLOPT_PROXY, "");  // no proxy, not even from the environment
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(kIdleLimit.count()));
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);

    const TransferOutcome outcome = run_transfer(multi.get(), handle, control, kIdleLimit);
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.status);
    result.bytes = sink.bytes;
    if (outcome.stopped) {
        return failure(result, "stopped");
    }
    if (outcome.idle_timeout) {
        return failure(result, "timed out: nothing received for " +
                                   std::to_string(kIdleLimit.count() / 1000) + " s");
    }
    if (sink.write_failed) {
        return failure(result, std::string("write failed: ") + std::strerror(file.error()));
    }
    if (sink.refused_status || !is_success(result.status)) {
        return failure(result, result.status == 0
                                   ? std::string("no response: ") + curl_easy_strerror(outcome.code)
                                   : "status " + std::to_string(result.status));
    }
    if (outcome.code != CURLE_OK) {
        return failure(result, curl_easy_strerror(outcome.code));
    }
    curl_off_t expected = -1;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
    if (expected >= 0 && static_cast<std::uint64_t>(expected) != sink.bytes) {
        return failure(result, "cut-off body: " + std::to_string(sink.bytes) + " of " +
                                   std::to_string(expected) + " bytes");
    }
    std::error_code ignored;
    if (sink.bytes == 0 && std::filesystem::exists(target, ignored)) {
        return failure(result, "empty body: the existing file is kept");
    }
    if (!file.close()) {
        return failure(result, std::string("write failed: ") + std::strerror(file.error()));
    }
    if (!file.commit(target)) {
        return failure(
            result, std::string("cannot move the file into place: ") + std::strerror(file.error()));
    }
    result.ok = true;
    return result;
}

}  // namespace vx
