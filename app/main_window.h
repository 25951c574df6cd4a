#pragma once

// The main window: the address box, the four buttons, the version label and
// the track list, placed at fixed pixel positions; and the workers' slots.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>
#include <chrono>
#include <filesystem>

#include "app/call_queue.h"
#include "app/carried_track_window.h"
#include "app/site_addresses.h"
#include "app/track_list_model.h"
#include "app/track_window.h"
#include "app/worker_slots.h"

namespace vx {

class MainWindow final : public QWidget, private TrackWindow {
    Q_OBJECT

  public:
    static constexpr int kLeft = 50;
    static constexpr int kTop = 50;
    static constexpr int kOuterWidth = 549;
    static constexpr int kOuterHeight = 603;

    MainWindow(const SiteAddresses& sites, std::filesystem::path program_dir);
    ~MainWindow() override;

    // The window's operations as any thread may use them.
    TrackWindow& track_window() { return carried_; }
    WorkerSlots& worker_slots() { return slots_; }
    const TrackListModel& track_list_model() const { return model_; }

    // Sizes the window so that its frame, once it has one, measures the outer size.
    void fit_outer_size();

    // Stops every worker, lets go of those blocked on the window and joins
    // them, waiting no longer than `limit`. False when some did not end.
    bool shut_down_workers(std::chrono::milliseconds limit);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void drain_calls();

  private:
    // How long fit_outer_size waits for a window manager's frame: 20 x 50 ms.
    static constexpr int kFrameChecks = 20;
    static constexpr std::chrono::milliseconds kFrameCheckInterval{50};

    WorkerEnvironment environment();
    void fit_outer_size_until_framed(int checks_left);

    // The operations themselves, on the window's thread only.
    void clear_rows() override;
    int append_row() override;
    void set_cell(int row, int column, const Text& text) override;
    Text cell(int row, int column) override;
    int row_count() override;
    Text address_text() override;
    Text version_text() override;
    Text pause_caption() override;
    void set_pause_caption(const Text& caption) override;

    const SiteAddresses sites_;
    const std::filesystem::path program_dir_;

    // In the order the window describes them; the track list, made last, is
    // drawn over the version label where they overlap.
    QLabel version_label_;
    QPushButton download_button_;
    QPushButton stop_button_;
    QPushButton pause_button_;
    QPushButton search_button_;
    QLineEdit address_box_;
    QTreeView track_list_;
    TrackListModel model_;

    CallQueue calls_;
    CarriedTrackWindow carried_;
    // Last, so that it goes first: no worker outlives what it works on.
    WorkerSlots slots_;
};

}  // namespace vx
