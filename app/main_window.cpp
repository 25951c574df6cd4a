#include "app/main_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTimer>
#include <string_view>
#include <utility>

#include "app/control_names.h"
#include "app/transport_buttons.h"
#include "text/codepage.h"

namespace vx {
namespace {

// Vellumix - 320kb音质下载软件永久免费 如失效联系作者！
constexpr std::string_view kWindowTitle =
    "Vellumix - 320kb\xD2\xF4\xD6\xCA\xCF\xC2\xD4\xD8\xC8\xED\xBC\xFE\xD3\xC0\xBE\xC3\xC3\xE2"
    "\xB7\xD1 \xC8\xE7\xCA\xA7\xD0\xA7\xC1\xAA\xCF\xB5\xD7\xF7\xD5\xDF\xA3\xA1";
constexpr std::string_view kVersion = "1.0.1";
constexpr std::string_view kCaptionSearch = "\xCB\xD1\xCB\xF7";                       // 搜索
constexpr std::string_view kCaptionStop = "\xCD\xA3\xD6\xB9";                         // 停止
constexpr std::string_view kCaptionDownloadAll = "\xC8\xAB\xB2\xBF\xCF\xC2\xD4\xD8";  // 全部下载

using namespace control_names;

constexpr int kColumnWidths[TrackListModel::kColumns] = {230, 210, 100, 50};

// Calls from the workers are served in slices, so the event loop never waits long.
constexpr std::chrono::microseconds kDrainBudget{4000};
constexpr std::chrono::microseconds kDrainLinger{1000};

QString shown(std::string_view text) {
    return QString::fromStdString(cp936_to_utf8(text));
}
Text stored(const QString& text) {
    return Text(utf8_to_cp936(text.toStdString()));
}

void place(QWidget& widget, const char* name, int left, int top, int width, int height) {
    widget.setObjectName(QString::fromUtf8(name));
    widget.setGeometry(left, top, width, height);
}

}  // namespace

MainWindow::MainWindow(const SiteAddresses& sites, std::filesystem::path program_dir)
    : sites_(sites),
      program_dir_(std::move(program_dir)),
      version_label_(this),
      download_button_(this),
      stop_button_(this),
      pause_button_(this),
      search_button_(this),
      address_box_(this),
      track_list_(this),
      calls_([this] { QMetaObject::invokeMethod(this, "drain_calls", Qt::QueuedConnection); }),
      carried_(calls_, *this) {
    setWindowTitle(shown(kWindowTitle));
    move(kLeft, kTop);
    resize(kOuterWidth, kOuterHeight);

    place(version_label_, kVersionLabel, 456, 40, 80, 24);
    version_label_.setText(shown(kVersion));
    place(download_button_, kDownloadAllButton, 484, 0, 58, 23);
    download_button_.setText(shown(kCaptionDownloadAll));
    place(stop_button_, kStopButton, 436, 0, 46, 23);
    stop_button_.setText(shown(kCaptionStop));
    place(pause_button_, kPauseButton, 389, 0, 46, 23);
    pause_button_.setText(shown(kCaptionPause));
    place(search_button_, kSearchButton, 341, 0, 46, 23);
    search_button_.setText(shown(kCaptionSearch));
    place(address_box_, kAddressBox, 2, 0, 334, 23);
    address_box_.setText(shown(list_index_address(sites_)));

    place(track_list_, kTrackList, 1, 24, 544, 552);
    track_list_.setRootIsDecorated(false);
    track_list_.setItemsExpandable(false);
    track_list_.setUniformRowHeights(true);
    track_list_.setModel(&model_);
    track_list_.header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    track_list_.header()->setStretchLastSection(false);
    for (int column = 0; column < TrackListModel::kColumns; ++column) {
        track_list_.setColumnWidth(column, kColumnWidths[column]);
    }

    connect(&search_button_, &QPushButton::clicked, this,
            [this] { search_clicked(environment()); });
    connect(&pause_button_, &QPushButton::clicked, this, [this] { pause_clicked(*this, slots_); });
    connect(&stop_button_, &QPushButton::clicked, this, [this] { stop_clicked(slots_); });
    connect(&download_button_, &QPushButton::clicked, this,
            [this] { download_all_clicked(environment()); });
}

MainWindow::~MainWindow() {
    shut_down_workers(std::chrono::milliseconds(900));
}

void MainWindow::fit_outer_size() {
    fit_outer_size_until_framed(kFrameChecks);
}

// A window manager may add its frame only a moment after the window shows;
// until the frame is known, look again shortly and fit once more.
void MainWindow::fit_outer_size_until_framed(int checks_left) {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(kOuterWidth - frame.width(), kOuterHeight - frame.height());
    move(kLeft, kTop);
    if (frame == QSize(0, 0) && checks_left > 0) {
        QTimer::singleShot(kFrameCheckInterval, this,
                           [this, checks_left] { fit_outer_size_until_framed(checks_left - 1); });
    }
}

bool MainWindow::shut_down_workers(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    slots_.close();
    calls_.close();
    return slots_.join_all(deadline);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shut_down_workers(std::chrono::milliseconds(900));
    event->accept();
}

void MainWindow::drain_calls() {
    calls_.drain(kDrainBudget, kDrainLinger);
}

WorkerEnvironment MainWindow::environment() {
    return WorkerEnvironment{sites_, program_dir_, carried_, slots_};
}

void MainWindow::clear_rows() {
    model_.clear_rows();
}
int MainWindow::append_row() {
    return model_.append_row();
}
void MainWindow::set_cell(int row, int column, const Text& text) {
    model_.set_cell(row, column, text);
}
Text MainWindow::cell(int row, int column) {
    return model_.cell(row, column);
}
int MainWindow::row_count() {
    return model_.stored_rows();
}
Text MainWindow::address_text() {
    return stored(address_box_.text());
}
Text MainWindow::version_text() {
    return stored(version_label_.text());
}
Text MainWindow::pause_caption() {
    return stored(pause_button_.text());
}
void MainWindow::set_pause_caption(const Text& caption) {
    pause_button_.setText(shown(caption));
}

}  // namespace vx
