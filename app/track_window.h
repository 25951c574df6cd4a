#pragma once

// The operations that the workers use on the main window's controls. Each call
// may come from any thread; the window carries it to its own thread, does it
// there and returns when it is done, so each single call is atomic.

#include "text/text.h"

namespace vx {

// Columns of the track list.
inline constexpr int kNameColumn = 0;
inline constexpr int kMp3AddressColumn = 1;
inline constexpr int kStatusColumn = 2;
inline constexpr int kLinkColumn = 3;

// Status texts of the status column.
inline constexpr const char* kStatusReady = "\xD7\xBC\xB1\xB8\xCF\xC2\xD4\xD8";   // 准备下载
inline constexpr const char* kStatusDone = "\xCF\xC2\xD4\xD8\xB3\xC9\xB9\xA6";    // 下载成功
inline constexpr const char* kStatusFailed = "\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC";  // 下载失败

// Captions of the Pause button.
inline constexpr const char* kCaptionPause = "\xD4\xDD\xCD\xA3";     // 暂停
inline constexpr const char* kCaptionContinue = "\xBC\xCC\xD0\xF8";  // 继续

class TrackWindow {
  public:
    virtual ~TrackWindow() = default;

    virtual void clear_rows() = 0;
    // The new row's 0-based index; its four cells are empty.
    virtual int append_row() = 0;
    // Writing a row that does not exist does nothing.
    virtual void set_cell(int row, int column, const Text& text) = 0;
    // The empty text for a row that does not exist.
    virtual Text cell(int row, int column) = 0;
    virtual int row_count() = 0;

    virtual Text address_text() = 0;
    virtual Text version_text() = 0;
    virtual Text pause_caption() = 0;
    virtual void set_pause_caption(const Text& caption) = 0;
};

}  // namespace vx
