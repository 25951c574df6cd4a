#include "app/application.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/main_window.h"
#include "app/startup/created_event.h"

namespace vx {
namespace {

// The folder that holds the executable; tracks are saved there.
std::filesystem::path program_directory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error);
    }
    return exe.parent_path();
}

}  // namespace

int run_application(int argc, char** argv, const SiteAddresses& sites) {
    const std::filesystem::path program_dir = program_directory();
    std::error_code error;
    std::filesystem::current_path(program_dir, error);

    QApplication application(argc, argv);
    MainWindow window(sites, program_dir);

    const std::optional<int> early_exit =
        run_created_event(sites, window.track_window(), desktop_startup_seam(),
                          [] { QApplication::processEvents(); });
    if (early_exit) {
        return *early_exit;
    }

    window.show();
    window.fit_outer_size();
    const int exit_code = application.exec();
    // Closing the window has already stopped the workers and waited for them;
    // this only catches an event loop that ended some other way.
    if (!window.shut_down_workers(std::chrono::milliseconds(100))) {
        // A worker that did not end in time must not keep the program alive;
        // the transfers write through temporary files, so no track file is
        // left half written by ending here.
        std::_Exit(exit_code);
    }
    return exit_code;
}

}  // namespace vx
