#pragma once

// The main window's controls keep the names they were designed with; Qt
// takes them in UTF-8.

namespace vx::control_names {

inline constexpr const char* kAddressBox =
    "\xE7\xBC\x96\xE8\xBE\x91\xE6\xA1\x86"
    "2";  // 编辑框2
inline constexpr const char* kSearchButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "1";  // 按钮1
inline constexpr const char* kPauseButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "2";  // 按钮2
inline constexpr const char* kStopButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "3";  // 按钮3
inline constexpr const char* kDownloadAllButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "4";  // 按钮4
inline constexpr const char* kVersionLabel =
    "\xE6\xA0\x87\xE7\xAD\xBE"
    "1";  // 标签1
inline constexpr const char* kTrackList =
    "\xE8\xB6\x85\xE7\xBA\xA7\xE5\x88\x97\xE8\xA1\xA8\xE6\xA1\x86"
    "1";  // 超级列表框1

}  // namespace vx::control_names
