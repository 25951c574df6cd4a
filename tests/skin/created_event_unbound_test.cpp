// A created event whose engine cannot be bound. Kept in a process of its own:
// once any libSkinH_EL.so is loaded, the loader would hand it out by name.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/startup/created_event.h"
#include "app/startup/skin_loader.h"
#include "tests/skin/process_places.h"
#include "tests/skin/startup_fakes.h"
#include "tests/skin/temp_folder.h"
#include "text/codepage.h"

namespace vx {
namespace {

TEST(CreatedEvent, AnEngineThatCannotBeBoundEndsTheProgram) {
    testing::TempFolder temp;
    // A file where the data folder should be: the engine cannot be installed,
    // and this test's program folder holds no copy of it.
    std::ofstream(temp.path() / "blocker") << "x";
    const testing::ProcessPlaces places(temp.path() / "blocker" / "data", temp.path() / "home",
                                        temp.path() / "parent" / "program");
    testing::LabelOnlyWindow window("1.0.1");
    testing::RecordingSeam seam;

    const auto exit_code = run_created_event(testing::silent_sites(), window, seam.seam(), {});

    ASSERT_TRUE(exit_code.has_value());
    EXPECT_NE(*exit_code, 0);
    ASSERT_EQ(seam.events.size(), 1u);  // the message, and no version check after it
    const std::string event = cp936_to_utf8(seam.events[0]);
    EXPECT_TRUE(event.starts_with("message " + cp936_to_utf8(kSkinFailureCaption) + "|")) << event;
    EXPECT_NE(event.find("libSkinH_EL.so"), std::string::npos) << event;
    EXPECT_NE(event.find("SkinH_AttachEx"), std::string::npos) << event;
}

}  // namespace
}  // namespace vx
