// Prints how fast the window fills, resolves and downloads against the demo
// site on loopback, and how long the window's event loop was ever kept waiting.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/control_names.h"
#include "app/main_window.h"
#include "demo/demo_site.h"
#include "text/codepage.h"

namespace {

using Clock = std::chrono::steady_clock;
using vx::DemoSite;
using vx::DemoSiteOptions;
using vx::MainWindow;

using namespace vx::control_names;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::filesystem::path make_temp_dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vx-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern;
}

// Runs the event loop until `done` holds, and records the longest time the
// loop went without serving a 1 ms timer.
struct LoopWatch {
    double longest_gap_ms = 0;

    bool run_until(const std::function<bool()>& done, std::chrono::seconds limit) {
        QElapsedTimer since_tick;
        since_tick.start();
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest_gap_ms = std::max(longest_gap_ms, since_tick.nsecsElapsed() / 1e6);
            since_tick.restart();
        });
        tick.start();
        const auto deadline = Clock::now() + limit;
        while (!done()) {
            if (Clock::now() > deadline) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents);
        }
        return true;
    }
};

struct Bench {
    DemoSite site;
    std::filesystem::path dir = make_temp_dir();
    MainWindow window;

    explicit Bench(const DemoSiteOptions& options) : site(options), window(site.addresses(), dir) {
        window.show();
    }
    ~Bench() {
        window.shut_down_workers(std::chrono::seconds(2));
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }

    void click(const char* name) {
        window.findChild<QPushButton*>(QString::fromUtf8(name))->click();
    }
    void search(int kind) {
        window.findChild<QLineEdit*>(QString::fromUtf8(kAddressBox))
            ->setText(QString::fromStdString(vx::cp936_to_utf8(site.list_page_address(kind))));
        click(kSearchButton);
    }
    static bool ended(const std::shared_ptr<vx::Worker>& worker) {
        return worker != nullptr && worker->finished();
    }
};

void search_5000(int round) {
    DemoSiteOptions options;
    options.tracks_per_page = 5000;
    Bench bench(options);
    LoopWatch watch;
    const auto start = Clock::now();
    bench.search(1);
    const bool ok =
        watch.run_until([&] { return bench.window.track_list_model().rowCount() == 5000; },
                        std::chrono::seconds(60));
    const double took = seconds_since(start);
    bench.window.worker_slots().stop_slots();
    std::printf(
        "round %d: search 5000 rows: %s in %.3f s (goal < 1 s); longest event-loop gap "
        "%.1f ms (goal < 50 ms)\n",
        round, ok ? "shown" : "NOT shown", took, watch.longest_gap_ms);
}

void resolve_1000(int round) {
    DemoSiteOptions options;
    options.tracks_per_page = 1000;
    Bench bench(options);
    LoopWatch watch;
    bench.search(2);
    watch.run_until([&] { return Bench::ended(bench.window.worker_slots().search_thread()); },
                    std::chrono::seconds(60));
    const auto start = Clock::now();
    const auto resolve = bench.window.worker_slots().worker_thread();
    const bool ok =
        watch.run_until([&] { return Bench::ended(resolve); }, std::chrono::seconds(60));
    const double took = seconds_since(start);
    std::printf(
        "round %d: resolve 1000 rows: %s in %.3f s = %.0f rows/s (goal >= 1000); longest "
        "gap %.1f ms\n",
        round, ok ? "done" : "NOT done", took, 1000 / took, watch.longest_gap_ms);
}

void download_200() {
    constexpr int kTracks = 200;
    constexpr std::size_t kSize = 1 << 20;
    DemoSiteOptions options;
    options.tracks_per_page = kTracks;
    options.mp3_size = kSize;
    Bench bench(options);
    LoopWatch watch;
    bench.search(3);
    watch.run_until([&] { return Bench::ended(bench.window.worker_slots().search_thread()); },
                    std::chrono::seconds(60));
    watch.run_until([&] { return Bench::ended(bench.window.worker_slots().worker_thread()); },
                    std::chrono::seconds(60));

    // The same addresses fetched in turn by one curl command, in rounds that
    // alternate with the program's own, so that both meet the same load.
    const std::filesystem::path curl_dir = make_temp_dir();
    std::string command = "curl -s";
    vx::TrackWindow& tracks = bench.window.track_window();
    for (int row = 0; row < tracks.row_count(); ++row) {
        command += " -o '" + (curl_dir / ("f" + std::to_string(row))).string() + "' '" +
                   tracks.cell(row, vx::kMp3AddressColumn).str() + "'";
    }
    const double mb = kTracks * static_cast<double>(kSize) / (1 << 20);
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int round = 1; round <= 3; ++round) {
        const auto curl_start = Clock::now();
        const int curl_status = std::system(command.c_str());
        theirs.push_back(seconds_since(curl_start));

        for (int row = 0; row < tracks.row_count(); ++row) {
            tracks.set_cell(row, vx::kStatusColumn, vx::kStatusReady);
        }
        const auto start = Clock::now();
        bench.click(kDownloadAllButton);
        const auto download = bench.window.worker_slots().worker_thread();
        const bool ok =
            watch.run_until([&] { return Bench::ended(download); }, std::chrono::seconds(120));
        ours.push_back(seconds_since(start));
        int done = 0;
        for (int row = 0; row < tracks.row_count(); ++row) {
            done += tracks.cell(row, vx::kStatusColumn) == vx::Text(vx::kStatusDone) ? 1 : 0;
        }
        std::printf(
            "round %d: download 200 x 1 MB: %s, %d done in %.3f s = %.1f MB/s; curl (exit %d) "
            "%.3f s = %.1f MB/s\n",
            round, ok ? "ended" : "NOT ended", done, ours.back(), mb / ours.back(), curl_status,
            theirs.back(), mb / theirs.back());
    }
    std::error_code error;
    std::filesystem::remove_all(curl_dir, error);
    std::printf(
        "download: median %.1f MB/s against curl's %.1f MB/s, ratio %.2f (goal >= 0.7); "
        "longest gap %.1f ms\n",
        mb / median(ours), mb / median(theirs), median(theirs) / median(ours),
        watch.longest_gap_ms);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    for (int round = 1; round <= 3; ++round) {
        search_5000(round);
    }
    for (int round = 1; round <= 3; ++round) {
        resolve_1000(round);
    }
    download_200();
    return 0;
}
