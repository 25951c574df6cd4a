#include "app/startup/skin_loader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skin_engine/skin_table.h"
#include "text/codepage.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

// Creates or replaces `path` with `bytes`; false when any step failed.
bool write_whole_file(const char* path, std::string_view bytes, const char* mode) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, mode));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

fs::path absolute_or_empty(const char* value) {
    if (value == nullptr) {
        return {};
    }
    fs::path path(value);
    return path.is_absolute() ? path : fs::path{};
}

// 找不到动态链接库 <name>，无法定位程序输入点 SkinH_AttachEx。
Text library_missing_message() {
    Text message = "\xD5\xD2\xB2\xBB\xB5\xBD\xB6\xAF\xCC\xAC\xC1\xB4\xBD\xD3\xBF\xE2 ";
    message += kSkinLibraryName;
    message += "\xA3\xAC\xCE\xDE\xB7\xA8\xB6\xA8\xCE\xBB\xB3\xCC\xD0\xF2\xCA\xE4\xC8\xEB\xB5\xE3 ";
    message += kSkinEntryPoint;
    message += "\xA1\xA3";
    return message;
}

// 无法定位程序输入点 SkinH_AttachEx 于动态链接库 <path> 上。
Text entry_point_missing_message(const std::string& library) {
    Text message = "\xCE\xDE\xB7\xA8\xB6\xA8\xCE\xBB\xB3\xCC\xD0\xF2\xCA\xE4\xC8\xEB\xB5\xE3 ";
    message += kSkinEntryPoint;
    message += " \xD3\xDA\xB6\xAF\xCC\xAC\xC1\xB4\xBD\xD3\xBF\xE2 ";
    // File names are UTF-8; the message is code page 936 like every text the program shows.
    message += std::string_view(utf8_to_cp936(library));
    message += " \xC9\xCF\xA1\xA3";
    return message;
}

}  // namespace

fs::path skin_library_dir(const char* xdg_data_home, const char* home) {
    fs::path data = absolute_or_empty(xdg_data_home);
    if (data.empty()) {
        const fs::path home_dir = absolute_or_empty(home);
        if (home_dir.empty()) {
            return {};
        }
        data = home_dir / ".local" / "share";
    }
    return data / "vellumix" / "system";
}

SkinPlaces process_skin_places() {
    SkinPlaces places;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        places.program_dir = exe.parent_path();
    }
    places.library_dir = skin_library_dir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    places.current_dir = fs::current_path(ec);
    return places;
}

std::string skin_file_path(const fs::path& current_dir) {
    return current_dir.native() + std::string(kSkinFileName);
}

void install_skin_library(const fs::path& library_file, std::span<const unsigned char> image) {
    std::error_code ec;
    if (fs::symlink_status(library_file, ec).type() != fs::file_type::not_found) {
        return;  // something is there, or we cannot tell: leave it be
    }
    fs::create_directories(library_file.parent_path(), ec);
    // A half-written library would stay forever (it is never replaced) and
    // fail to load at every start, so it is written aside and linked in whole.
    fs::path part = library_file;
    part += ".part-" + std::to_string(::getpid());
    fs::remove(part, ec);  // left by an earlier run that had our process number and died
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    if (write_whole_file(part.c_str(), bytes, "wbx")) {
        // link() never replaces what may have appeared meanwhile.
        if (::link(part.c_str(), library_file.c_str()) != 0 && errno != EEXIST &&
            fs::symlink_status(library_file, ec).type() == fs::file_type::not_found) {
            fs::rename(part, library_file, ec);  // a file system without hard links
        }
    }
    fs::remove(part, ec);
}

std::variant<SkinEngineLibrary, Text> SkinEngineLibrary::bind(const SkinPlaces& places) {
    std::vector<std::string> candidates;
    if (!places.program_dir.empty()) {
        candidates.push_back((places.program_dir / kSkinLibraryName).native());
    }
    if (!places.library_dir.empty()) {
        candidates.push_back((places.library_dir / kSkinLibraryName).native());
    }
    candidates.emplace_back(kSkinLibraryName);
    for (const std::string& candidate : candidates) {
        std::unique_ptr<void, Closer> handle(
            dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
        if (!handle) {
            continue;
        }
        void* symbol = dlsym(handle.get(), std::string(kSkinEntryPoint).c_str());
        if (symbol == nullptr) {
            return entry_point_missing_message(candidate);
        }
        return SkinEngineLibrary(std::move(handle), reinterpret_cast<AttachFn>(symbol), candidate);
    }
    return library_missing_message();
}

int SkinEngineLibrary::attach(const std::string& skin_path, const char* password) const {
    return attach_(skin_path.c_str(), password);
}

SkinLoadResult load_skin(int number, const SkinPlaces& places,
                         std::span<const unsigned char> library_image) {
    if (!places.library_dir.empty()) {
        install_skin_library(places.library_dir / kSkinLibraryName, library_image);
    }
    const std::string path = skin_file_path(places.current_dir);
    if (number == 0) {
        number = 1;
    }
    const auto skin = skin_table_entry(number);
    if (!skin) {
        return {};
    }
    write_whole_file(path.c_str(), *skin, "wb");  // a failed write goes unnoticed

    auto bound = SkinEngineLibrary::bind(places);
    SkinLoadResult result;
    if (auto* failure = std::get_if<Text>(&bound)) {
        result.failure = std::move(*failure);
        return result;
    }
    result.engine = std::move(std::get<SkinEngineLibrary>(bound));
    result.attach_result = result.engine->attach(path, "");
    return result;
}

}  // namespace vx
