// The engine library itself, loaded as the program loads it.

#include <dlfcn.h>

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "skin_engine/skin_colour.h"
#include "skin_engine/skin_format.h"
#include "skin_engine/skin_table.h"
#include "tests/skin/temp_folder.h"

namespace vx {
namespace {

using AttachFn = int (*)(const char*, const char*);

class SkinEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        handle_ = dlopen(VX_SKIN_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        ASSERT_NE(handle_, nullptr) << dlerror();
        attach_ = reinterpret_cast<AttachFn>(dlsym(handle_, "SkinH_AttachEx"));
        ASSERT_NE(attach_, nullptr);
        qApp->setStyleSheet("QWidget { color: #123456; }");
    }
    void TearDown() override {
        qApp->setStyleSheet({});
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }

    std::string write(const std::string& name, const std::string& bytes) {
        const auto path = (folder_.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    testing::TempFolder folder_;
    void* handle_ = nullptr;
    AttachFn attach_ = nullptr;
};

TEST_F(SkinEngine, AppliesSheetAndPalette) {
    const Bytes entry = *skin_table_entry(8);
    const auto skin = skin::read_skin(entry);
    ASSERT_TRUE(skin.has_value());
    const std::string path = write("{df6546sd4fwer}.she", entry);

    EXPECT_NE(attach_(path.c_str(), ""), 0);
    EXPECT_EQ(qApp->styleSheet().toStdString(), skin->style_sheet);
    for (const auto& [role, value] : skin->palette) {
        if (role == "window") {
            EXPECT_EQ(
                QApplication::palette().color(QPalette::Window).name().toUpper().toStdString(),
                value);
        }
    }
    // No password is needed; a null one is taken like the empty one.
    EXPECT_NE(attach_(path.c_str(), nullptr), 0);
}

TEST_F(SkinEngine, RefusesWhatIsNotASkin) {
    const std::string before = qApp->styleSheet().toStdString();
    const std::string not_skin = write("plain.she", "QWidget { color: red; }\n");
    const std::string cut = write("cut.she", skin_table_entry(3)->substr(0, 40));
    const std::string folder = folder_.path().string();
    const std::string missing = (folder_.path() / "missing.she").string();

    for (const std::string& path : {not_skin, cut, folder, missing}) {
        EXPECT_EQ(attach_(path.c_str(), ""), 0) << path;
    }
    EXPECT_EQ(attach_(nullptr, ""), 0);
    EXPECT_EQ(qApp->styleSheet().toStdString(), before);
}

}  // namespace
}  // namespace vx
