// A stand-in for the skin engine that records how it was called, so that the
// tests can tell which library was bound and with what.

#include <string>

namespace {

struct Record {
    int calls = 0;
    std::string path;
    std::string password;
};

Record& record() {
    static Record r;
    return r;
}

}  // namespace

extern "C" {

#ifndef FAKE_WITHOUT_ENTRY_POINT
__attribute__((visibility("default"))) int SkinH_AttachEx(const char* skin_path,
                                                          const char* password) {
    Record& r = record();
    ++r.calls;
    r.path = skin_path != nullptr ? skin_path : "(null)";
    r.password = password != nullptr ? password : "(null)";
    return 1;
}
#endif

__attribute__((visibility("default"))) int fake_skin_id() {
    return FAKE_SKIN_ID;
}
__attribute__((visibility("default"))) int fake_skin_calls() {
    return record().calls;
}
__attribute__((visibility("default"))) const char* fake_skin_path() {
    return record().path.c_str();
}
__attribute__((visibility("default"))) const char* fake_skin_password() {
    return record().password.c_str();
}
}
