#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <atomic>
#include <thread>

#include "tests/app/app_fixture.h"
#include "text/codepage.h"

namespace vx::testing_support {
namespace {

QString shown(std::string_view text) {
    return QString::fromStdString(cp936_to_utf8(text));
}

struct ControlCase {
    const char* name;
    QRect geometry;
    const char* caption;  // code page 936
};

TEST_F(AppTest, WindowHasItsControlsInPlace) {
    start();
    // Vellumix - 320kb音质下载软件永久免费 如失效联系作者！
    EXPECT_EQ(window->windowTitle(),
              shown("Vellumix - 320kb\xD2\xF4\xD6\xCA\xCF\xC2\xD4\xD8\xC8\xED\xBC\xFE\xD3\xC0"
                    "\xBE\xC3\xC3\xE2\xB7\xD1 \xC8\xE7\xCA\xA7\xD0\xA7\xC1\xAA\xCF\xB5\xD7\xF7"
                    "\xD5\xDF\xA3\xA1"));
    EXPECT_EQ(window->pos(), QPoint(50, 50));
    EXPECT_EQ(window->size(), QSize(549, 603));

    const ControlCase buttons[] = {
        {kDownloadButton, QRect(484, 0, 58, 23), "\xC8\xAB\xB2\xBF\xCF\xC2\xD4\xD8"},  // 全部下载
        {kStopButton, QRect(436, 0, 46, 23), "\xCD\xA3\xD6\xB9"},                      // 停止
        {kPauseButton, QRect(389, 0, 46, 23), "\xD4\xDD\xCD\xA3"},                     // 暂停
        {kSearchButton, QRect(341, 0, 46, 23), "\xCB\xD1\xCB\xF7"},                    // 搜索
    };
    for (const ControlCase& expected : buttons) {
        const auto* button = window->findChild<QPushButton*>(QString::fromUtf8(expected.name));
        ASSERT_NE(button, nullptr) << expected.name;
        EXPECT_EQ(button->geometry(), expected.geometry) << expected.name;
        EXPECT_EQ(button->text(), shown(expected.caption)) << expected.name;
    }
    const auto* label = window->findChild<QLabel*>(QString::fromUtf8(kVersionLabel));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(456, 40, 80, 24));
    EXPECT_EQ(label->text(), "1.0.1");
    const auto* box = window->findChild<QLineEdit*>(QString::fromUtf8(kAddressBox));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(2, 0, 334, 23));

    const auto* list = window->findChild<QTreeView*>(QString::fromUtf8(kTrackList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), QRect(1, 24, 544, 552));
    EXPECT_FALSE(list->rootIsDecorated());
    const char* titles[] = {"\xCE\xE8\xC7\xFA\xC3\xFB\xB3\xC6",  // 舞曲名称
                            "\xCA\xD4\xCC\xFD\xB5\xD8\xD6\xB7",  // 试听地址
                            "\xCF\xC2\xD4\xD8\xD7\xB4\xCC\xAC",  // 下载状态
                            "1"};
    const int widths[] = {230, 210, 100, 50};
    ASSERT_EQ(list->model()->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(),
                  shown(titles[column]));
        EXPECT_EQ(list->columnWidth(column), widths[column]);
    }

    // What the workers and the created event read.
    EXPECT_EQ(tracks().address_text(), list_index_address(site->addresses()));
    EXPECT_EQ(tracks().version_text(), Text("1.0.1"));
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionPause));
    EXPECT_EQ(tracks().row_count(), 0);
}

TEST_F(AppTest, TrackListOperationsFromAWorkerThreadLandInTheView) {
    start();
    Text missing = "x";
    int first = -1;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        TrackWindow& carried = tracks();
        first = carried.append_row();
        carried.append_row();
        carried.set_cell(first, kNameColumn, "\xD2\xF4");  // 音
        carried.set_cell(1, kStatusColumn, kStatusReady);
        carried.set_cell(7, kNameColumn, "nowhere");
        carried.set_cell(0, 9, "no column");
        missing = carried.cell(7, kNameColumn);
        finished = true;
    });
    const bool ended = wait_for([&] { return finished.load(); });
    worker.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(missing, Text());
    EXPECT_EQ(tracks().row_count(), 2);

    EXPECT_EQ(first, 0);
    EXPECT_EQ(tracks().cell(0, kNameColumn), Text("\xD2\xF4"));
    EXPECT_EQ(tracks().cell(1, kStatusColumn), Text(kStatusReady));
    EXPECT_EQ(tracks().cell(1, kNameColumn), Text());
    // The view hears of the rows within a few tens of milliseconds.
    const QAbstractItemModel& model = window->track_list_model();
    ASSERT_TRUE(wait_for([&] { return model.rowCount() == 2; }, std::chrono::seconds(2)));
    EXPECT_EQ(model.data(model.index(0, kNameColumn)).toString(), shown("\xD2\xF4"));

    tracks().clear_rows();
    EXPECT_EQ(tracks().row_count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace vx::testing_support
