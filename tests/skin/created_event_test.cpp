// The whole created event with the process's own places: the program folder
// of this test, and a data folder, home and current folder of its own.

#include "app/startup/created_event.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <string>

#include "app/startup/skin_engine_image.h"
#include "skin_engine/skin_format.h"
#include "skin_engine/skin_table.h"
#include "tests/skin/process_places.h"
#include "tests/skin/startup_fakes.h"
#include "tests/skin/temp_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::silent_sites;

TEST(SkinEngineImage, IsTheBuiltLibrary) {
    const auto image = skin_engine_image();
    const std::string built = read_file(VX_SKIN_ENGINE_LIBRARY);
    ASSERT_FALSE(built.empty());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()), image.size()), built);
}

TEST(CreatedEvent, InstallsTheEngineAndAppliesSkinEight) {
    testing::TempFolder temp;
    const fs::path data = temp.path() / "data";
    const testing::ProcessPlaces places(data, temp.path() / "home",
                                        temp.path() / "parent" / "program");
    qApp->setStyleSheet({});
    testing::LabelOnlyWindow window("1.0.1");
    testing::RecordingSeam seam;

    const auto exit_code = run_created_event(silent_sites(), window, seam.seam(),
                                             [] { QCoreApplication::processEvents(); });

    EXPECT_EQ(exit_code, std::nullopt);
    EXPECT_TRUE(seam.events.empty());
    const auto image = skin_engine_image();
    EXPECT_EQ(read_file(data / "vellumix" / "system" / "libSkinH_EL.so"),
              std::string(reinterpret_cast<const char*>(image.data()), image.size()));
    const std::string skin = read_file(temp.path() / "parent" / "program{df6546sd4fwer}.she");
    EXPECT_EQ(skin, *skin_table_entry(8));
    EXPECT_EQ(qApp->styleSheet().toStdString(), skin::read_skin(skin)->style_sheet);
}

}  // namespace
}  // namespace vx
