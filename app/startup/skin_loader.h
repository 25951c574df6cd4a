#pragma once

// Skin loading at start-up: install the skin engine library in the per-user
// library folder when nothing is there, write the chosen skin file beside the
// program's folder, bind the engine by name and attach it with that file.

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "text/text.h"

namespace vx {

inline constexpr std::string_view kSkinLibraryName = "libSkinH_EL.so";
inline constexpr std::string_view kSkinEntryPoint = "SkinH_AttachEx";
// Appended to the current folder with no separator, so it lands in the parent folder.
inline constexpr std::string_view kSkinFileName = "{df6546sd4fwer}.she";
inline constexpr int kProgramSkin = 8;

struct SkinPlaces {
    // The folder that holds the executable.
    std::filesystem::path program_dir;
    // The per-user folder that stands in for the system library folder; empty
    // when the user has no home to put it in.
    std::filesystem::path library_dir;
    // The process's current folder as the system reports it.
    std::filesystem::path current_dir;
};

// $XDG_DATA_HOME (when set and absolute, else $HOME/.local/share) followed by
// "vellumix/system"; empty when neither gives an absolute folder. Either
// argument may be null.
std::filesystem::path skin_library_dir(const char* xdg_data_home, const char* home);

// The real places: /proc/self/exe, the environment and getcwd.
SkinPlaces process_skin_places();

// The current folder followed at once by the skin file's name.
std::string skin_file_path(const std::filesystem::path& current_dir);

// Writes `image` to `library_file` when nothing (not even a dangling link)
// exists there, creating folders as needed. The file appears whole or not at
// all; failures go unnoticed.
void install_skin_library(const std::filesystem::path& library_file,
                          std::span<const unsigned char> image);

// The bound engine library. The library is opened so that it is never
// unloaded: the style it installed must outlive this holder.
class SkinEngineLibrary {
  public:
    using AttachFn = int (*)(const char* skin_path, const char* password);

    // Tries the program's folder, then the per-user folder, then the default
    // search path; the first library that opens is used. On failure, the
    // message (code page 936) that names the library and the entry point.
    static std::variant<SkinEngineLibrary, Text> bind(const SkinPlaces& places);

    int attach(const std::string& skin_path, const char* password) const;
    // What was opened: a full path, or the bare name for the search path.
    const std::string& source() const noexcept { return source_; }

  private:
    struct Closer {
        void operator()(void* handle) const noexcept { dlclose(handle); }
    };
    SkinEngineLibrary(std::unique_ptr<void, Closer> handle, AttachFn attach, std::string source)
        : handle_(std::move(handle)), attach_(attach), source_(std::move(source)) {}

    std::unique_ptr<void, Closer> handle_;
    AttachFn attach_ = nullptr;
    std::string source_;
};

struct SkinLoadResult {
    // Bound when a skin was attached.
    std::optional<SkinEngineLibrary> engine;
    int attach_result = 0;
    // Set when the engine could not be bound: the program cannot go on.
    std::optional<Text> failure;
};

// The whole sequence for skin `number` (0 is taken as 1; outside 1 to 50
// nothing is written or attached).
SkinLoadResult load_skin(int number, const SkinPlaces& places,
                         std::span<const unsigned char> library_image);

// The caption of the message that reports a failed binding: "错误".
inline constexpr const char* kSkinFailureCaption = "\xB4\xED\xCE\xF3";

}  // namespace vx
