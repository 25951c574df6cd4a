#pragma once

// Owning handles for libcurl objects, and the library's one-time start.

#include <curl/curl.h>

#include <memory>

namespace vx {

struct CurlEasyDeleter {
    void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct CurlMultiDeleter {
    void operator()(CURLM* multi) const noexcept { curl_multi_cleanup(multi); }
};
struct CurlSlistDeleter {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};

using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistDeleter>;

// Starts libcurl once per process, before the first handle is made; safe to
// call from any thread.
void ensure_curl_started();

// Appends `line` to `list`; false when curl could not store it.
bool append_header(CurlSlist& list, const char* line);

}  // namespace vx
