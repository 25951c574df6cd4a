#include "tests/app/app_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "text/codepage.h"

namespace vx::testing_support {

void AppTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vx-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    program_dir = pattern;
}

void AppTest::TearDown() {
    // The window first: it stops and joins its workers, which may be waiting
    // on the site.
    window.reset();
    site.reset();
    std::error_code error;
    std::filesystem::remove_all(program_dir, error);
}

void AppTest::start(DemoSiteOptions options) {
    site = std::make_unique<DemoSite>(options);
    window = std::make_unique<MainWindow>(site->addresses(), program_dir);
}

void AppTest::click(const char* button) {
    auto* found = window->findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(found, nullptr) << button;
    found->click();
}

void AppTest::set_address(const Text& address) {
    auto* box = window->findChild<QLineEdit*>(QString::fromUtf8(kAddressBox));
    ASSERT_NE(box, nullptr);
    box->setText(QString::fromStdString(cp936_to_utf8(address)));
}

bool AppTest::wait_for(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void AppTest::keep_running(std::chrono::milliseconds span) {
    wait_for([] { return false; }, span);
}

bool AppTest::wait_ended(const std::shared_ptr<Worker>& worker, std::chrono::milliseconds limit) {
    return worker != nullptr && wait_for([&] { return worker->finished(); }, limit);
}

void AppTest::search_and_resolve(const Text& address) {
    set_address(address);
    click(kSearchButton);
    ASSERT_TRUE(wait_ended(worker_slots().search_thread()));
    ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
}

std::vector<RecordedRequest> AppTest::requests_to(const std::string& server) const {
    std::vector<RecordedRequest> picked;
    for (const RecordedRequest& request : site->requests()) {
        if (request.server == server) {
            picked.push_back(request);
        }
    }
    return picked;
}

std::set<std::string> AppTest::files() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(program_dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string AppTest::file_content(const std::string& name) const {
    std::ifstream in(program_dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void AppTest::write_file(const std::string& name, const std::string& content) const {
    std::ofstream(program_dir / name, std::ios::binary) << content;
}

}  // namespace vx::testing_support
