#pragma once

// Start-up reads the process's own places: the environment and the current
// folder. These helpers point them at temporary folders for one test.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/site_addresses.h"

namespace vx::testing {

namespace fs = std::filesystem;

inline std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Points the data folder, home and current folder elsewhere for one test.
class ProcessPlaces {
  public:
    ProcessPlaces(const fs::path& data, const fs::path& home, const fs::path& cwd)
        : old_data_(saved("XDG_DATA_HOME")),
          old_home_(saved("HOME")),
          old_cwd_(fs::current_path()) {
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        setenv("HOME", home.c_str(), 1);
        fs::create_directories(cwd);
        fs::current_path(cwd);
    }
    ~ProcessPlaces() {
        restore("XDG_DATA_HOME", old_data_);
        restore("HOME", old_home_);
        std::error_code ec;
        fs::current_path(old_cwd_, ec);
    }

  private:
    static std::optional<std::string> saved(const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    std::optional<std::string> old_data_;
    std::optional<std::string> old_home_;
    fs::path old_cwd_;
};

// An author's site that surely does not answer: the version check then tells
// nothing, and the created event's outcome is the skin's alone.
inline SiteAddresses silent_sites() {
    SiteAddresses sites;
    sites.author_base = "http://127.0.0.1:1";
    return sites;
}

}  // namespace vx::testing
