#include "http/curl_handle.h"

#include <mutex>

namespace vx {

void ensure_curl_started() {
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool append_header(CurlSlist& list, const char* line) {
    curl_slist* grown = curl_slist_append(list.get(), line);
    if (grown == nullptr) {
        return false;
    }
    // curl_slist_append returns the same head once the list exists.
    if (list == nullptr) {
        list.reset(grown);
    }
    return true;
}

}  // namespace vx
