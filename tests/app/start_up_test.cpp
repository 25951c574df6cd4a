// The whole start-up as the program runs it: the program's folder as the
// current directory, the skin installed and applied, the version check passed,
// the window shown, and a clean end when it is closed. Its own process, since
// run_application makes the one QApplication.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/control_names.h"
#include "demo/demo_site.h"
#include "text/codepage.h"

namespace {

namespace fs = std::filesystem;

// What the window looked like once it was shown.
struct Shown {
    std::string title;
    std::string address;
    fs::path current_dir;
    bool skinned = false;
};

std::optional<Shown> g_shown;

// Looks for the shown main window from inside the event loop, notes what it
// shows and closes it, as a user would; until then it looks again shortly.
void look_for_the_window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || !widget->windowTitle().startsWith("Vellumix")) {
            continue;
        }
        const auto* box =
            widget->findChild<QLineEdit*>(QString::fromUtf8(vx::control_names::kAddressBox));
        g_shown = Shown{widget->windowTitle().toStdString(),
                        box != nullptr ? box->text().toStdString() : std::string(),
                        fs::current_path(), !qApp->styleSheet().isEmpty()};
        widget->close();
        return;
    }
    QTimer::singleShot(20, qApp, look_for_the_window);
}

void watch_for_the_window() {
    QTimer::singleShot(20, qApp, look_for_the_window);
    // A window that never shows must not hang the suite.
    QTimer::singleShot(20'000, qApp, [] { QCoreApplication::exit(99); });
}
Q_COREAPP_STARTUP_FUNCTION(watch_for_the_window)

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StartUp, RunsInTheProgramsFolderSkinnedAndEndsWhenTheWindowCloses) {
    std::string data_dir = (fs::temp_directory_path() / "vx-start-up-XXXXXX").string();
    ASSERT_NE(mkdtemp(data_dir.data()), nullptr);
    setenv("XDG_DATA_HOME", data_dir.c_str(), 1);

    const fs::path program_dir = fs::read_symlink("/proc/self/exe").parent_path();
    const fs::path skin_file =
        program_dir.parent_path() / (program_dir.filename().string() + "{df6546sd4fwer}.she");
    fs::remove(skin_file);

    vx::DemoSite site;  // its update-notice page publishes this program's version
    char name[] = "start_up_test";
    char* argv[] = {name, nullptr};
    int argc = 1;
    const int exit_code = vx::run_application(argc, argv, site.addresses());

    EXPECT_EQ(exit_code, 0);
    ASSERT_TRUE(g_shown.has_value()) << "the window was never shown";
    EXPECT_EQ(g_shown->title,
              "Vellumix - 320kb\xE9\x9F\xB3\xE8\xB4\xA8\xE4\xB8\x8B\xE8\xBD\xBD\xE8\xBD\xAF"
              "\xE4\xBB\xB6\xE6\xB0\xB8\xE4\xB9\x85\xE5\x85\x8D\xE8\xB4\xB9 \xE5\xA6\x82\xE5"
              "\xA4\xB1\xE6\x95\x88\xE8\x81\x94\xE7\xB3\xBB\xE4\xBD\x9C\xE8\x80\x85\xEF\xBC\x81");
    EXPECT_EQ(g_shown->address, vx::list_index_address(site.addresses()).str());
    EXPECT_EQ(g_shown->current_dir, program_dir);
    EXPECT_TRUE(g_shown->skinned);

    // The skin file lands beside the program's folder, the engine in the
    // per-user folder.
    EXPECT_EQ(read_file(skin_file).substr(0, 4), ".SHE");
    EXPECT_TRUE(fs::exists(fs::path(data_dir) / "vellumix" / "system" / "libSkinH_EL.so"));

    fs::remove(skin_file);
    fs::remove_all(data_dir);
}

}  // namespace
