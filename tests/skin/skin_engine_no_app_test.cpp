// Without a QApplication there is nothing to skin: the engine says so.

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <fstream>

#include "skin_engine/skin_table.h"
#include "tests/skin/temp_folder.h"

namespace vx {
namespace {

TEST(SkinEngineWithoutApplication, GivesZero) {
    void* handle = dlopen(VX_SKIN_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(handle, nullptr) << dlerror();
    const auto attach =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(handle, "SkinH_AttachEx"));
    ASSERT_NE(attach, nullptr);

    testing::TempFolder folder;
    const auto path = (folder.path() / "skin.she").string();
    std::ofstream(path, std::ios::binary) << *skin_table_entry(8);
    EXPECT_EQ(attach(path.c_str(), ""), 0);
    dlclose(handle);
}

TEST(SkinEngineWithoutApplication, ExportsOnlyItsEntryPoint) {
    void* handle = dlopen(VX_SKIN_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(handle, nullptr) << dlerror();
    // The skin reader is linked in but hidden.
    EXPECT_EQ(dlsym(handle, "_ZN2vx4skin9read_skinESt17basic_string_viewIcSt11char_traitsIcEE"),
              nullptr);
    EXPECT_NE(dlsym(handle, "SkinH_AttachEx"), nullptr);
    dlclose(handle);
}

}  // namespace
}  // namespace vx
