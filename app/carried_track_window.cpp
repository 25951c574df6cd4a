#include "app/carried_track_window.h"

namespace vx {

void CarriedTrackWindow::clear_rows() {
    queue_.call([this] { target_.clear_rows(); });
}

int CarriedTrackWindow::append_row() {
    int row = -1;
    queue_.call([&] { row = target_.append_row(); });
    return row;
}

void CarriedTrackWindow::set_cell(int row, int column, const Text& text) {
    queue_.call([&] { target_.set_cell(row, column, text); });
}

Text CarriedTrackWindow::cell(int row, int column) {
    Text text;
    queue_.call([&] { text = target_.cell(row, column); });
    return text;
}

int CarriedTrackWindow::row_count() {
    int rows = 0;
    queue_.call([&] { rows = target_.row_count(); });
    return rows;
}

Text CarriedTrackWindow::address_text() {
    Text text;
    queue_.call([&] { text = target_.address_text(); });
    return text;
}

Text CarriedTrackWindow::version_text() {
    Text text;
    queue_.call([&] { text = target_.version_text(); });
    return text;
}

Text CarriedTrackWindow::pause_caption() {
    Text text;
    queue_.call([&] { text = target_.pause_caption(); });
    return text;
}

void CarriedTrackWindow::set_pause_caption(const Text& caption) {
    queue_.call([&] { target_.set_pause_caption(caption); });
}

}  // namespace vx
