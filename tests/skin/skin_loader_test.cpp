// Skin loading with temporary program, data and current folders, and small
// stand-in engine libraries that record their calls.

#include "app/startup/skin_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "skin_engine/skin_table.h"
#include "tests/skin/temp_folder.h"
#include "text/codepage.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::span<const unsigned char> as_image(const std::string& bytes) {
    return {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

// What a stand-in library that the loader opened has recorded; nullopt when
// the library at `path` was never opened.
struct FakeRecord {
    int id;
    int calls;
    std::string path;
    std::string password;
};

std::optional<FakeRecord> fake_record(const fs::path& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) {
        return std::nullopt;
    }
    const auto get_int = [&](const char* name) {
        return reinterpret_cast<int (*)()>(dlsym(handle, name))();
    };
    const auto get_text = [&](const char* name) {
        return std::string(reinterpret_cast<const char* (*)()>(dlsym(handle, name))());
    };
    FakeRecord record{get_int("fake_skin_id"), get_int("fake_skin_calls"),
                      get_text("fake_skin_path"), get_text("fake_skin_password")};
    dlclose(handle);
    return record;
}

// Libraries are opened never to be unloaded, and the dynamic loader knows a
// loaded library by its file's inode; so every file of the suite is kept until
// the suite ends, lest a new file reuse an inode and pass for an old library.
class SkinLoader : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { root_ = std::make_unique<testing::TempFolder>(); }
    static void TearDownTestSuite() { root_.reset(); }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        base_ = root_->path() / info->name();
        places_.program_dir = base_ / "parent" / "program";
        places_.library_dir = base_ / "data" / "vellumix" / "system";
        places_.current_dir = places_.program_dir;
        fs::create_directories(places_.program_dir);
        fake_a_ = read_file(VX_FAKE_ENGINE_A);
        fake_b_ = read_file(VX_FAKE_ENGINE_B);
        ASSERT_FALSE(fake_a_.empty());
        ASSERT_FALSE(fake_b_.empty());
    }

    fs::path program_copy() const { return places_.program_dir / "libSkinH_EL.so"; }
    fs::path installed() const { return places_.library_dir / "libSkinH_EL.so"; }
    fs::path skin_file() const { return base_ / "parent" / "program{df6546sd4fwer}.she"; }

    static inline std::unique_ptr<testing::TempFolder> root_;
    fs::path base_;
    SkinPlaces places_;
    std::string fake_a_;
    std::string fake_b_;
};

TEST(SkinLibraryDir, FromTheEnvironment) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/data", "/home/u", "/x/data/vellumix/system"},
        {nullptr, "/home/u", "/home/u/.local/share/vellumix/system"},
        {"", "/home/u", "/home/u/.local/share/vellumix/system"},
        // A relative XDG_DATA_HOME is invalid and ignored.
        {"rel/data", "/home/u", "/home/u/.local/share/vellumix/system"},
        {nullptr, nullptr, ""},
        {nullptr, "relative-home", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin_library_dir(c.xdg, c.home), fs::path(c.expected))
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(SkinFilePath, FollowsTheFolderWithoutSeparator) {
    EXPECT_EQ(skin_file_path("/opt/vx/bin"), "/opt/vx/bin{df6546sd4fwer}.she");
    EXPECT_EQ(skin_file_path("/"), "/{df6546sd4fwer}.she");
}

TEST_F(SkinLoader, InstallsTheLibraryOnlyWhereNothingIs) {
    // Absent: written whole, with its folders.
    install_skin_library(installed(), as_image(fake_b_));
    EXPECT_EQ(read_file(installed()), fake_b_);
    EXPECT_EQ(std::distance(fs::directory_iterator(places_.library_dir), fs::directory_iterator()),
              1);

    // Present, even different: left alone.
    install_skin_library(installed(), as_image(fake_a_));
    EXPECT_EQ(read_file(installed()), fake_b_);

    // A dangling link is something too.
    const fs::path link = places_.library_dir / "dangling.so";
    fs::create_symlink(base_ / "nowhere.so", link);
    install_skin_library(link, as_image(fake_a_));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(base_ / "nowhere.so"));
}

TEST_F(SkinLoader, WritesTheNumberedSkinBesideTheProgramFolderAndAttaches) {
    struct Case {
        int number;
        int entry;
    };
    // Each case gets its own program folder and so its own stand-in library.
    const Case cases[] = {{8, 8}, {0, 1}, {1, 1}, {30, 8}, {50, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        places_.program_dir = base_ / std::to_string(c.number) / "program";
        places_.current_dir = places_.program_dir;
        fs::create_directories(places_.program_dir);
        write_file(program_copy(), fake_a_);
        const fs::path expected_file =
            base_ / std::to_string(c.number) / "program{df6546sd4fwer}.she";
        write_file(expected_file, "an older skin, longer than any entry of the table ...........");

        const SkinLoadResult result = load_skin(c.number, places_, as_image(fake_b_));

        ASSERT_FALSE(result.failure.has_value());
        EXPECT_EQ(result.attach_result, 1);
        EXPECT_EQ(read_file(expected_file), *skin_table_entry(c.entry));
        EXPECT_FALSE(fs::exists(places_.program_dir / "{df6546sd4fwer}.she"));
        const auto record = fake_record(program_copy());
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->calls, 1);
        EXPECT_EQ(record->path, expected_file.string());
        EXPECT_EQ(record->password, "");
    }
}

TEST_F(SkinLoader, NumbersOutsideTheTableWriteAndAttachNothing) {
    for (const int number : {51, -1, 1000}) {
        SCOPED_TRACE(number);
        write_file(program_copy(), fake_a_);
        const SkinLoadResult result = load_skin(number, places_, as_image(fake_b_));
        EXPECT_FALSE(result.failure.has_value());
        EXPECT_FALSE(result.engine.has_value());
        EXPECT_FALSE(fs::exists(skin_file()));
        EXPECT_FALSE(fake_record(program_copy()).has_value());
        // The library is still installed first.
        EXPECT_EQ(read_file(installed()), fake_b_);
    }
}

TEST_F(SkinLoader, TheProgramFolderCopyIsBoundFirst) {
    write_file(program_copy(), fake_a_);
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    ASSERT_TRUE(result.engine.has_value());
    EXPECT_EQ(result.engine->source(), program_copy().string());
    EXPECT_EQ(fake_record(program_copy())->calls, 1);
    EXPECT_EQ(read_file(installed()), fake_b_);
    EXPECT_FALSE(fake_record(installed()).has_value());
}

TEST_F(SkinLoader, TheInstalledCopyIsBoundWhenTheProgramFolderHasNone) {
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    ASSERT_TRUE(result.engine.has_value());
    EXPECT_EQ(result.engine->source(), installed().string());
    const auto record = fake_record(installed());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->id, 2);
    EXPECT_EQ(record->calls, 1);
    EXPECT_EQ(record->path, skin_file().string());
}

TEST_F(SkinLoader, AnUnloadableProgramCopyIsPassedOver) {
    write_file(program_copy(), "not a library");
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    ASSERT_TRUE(result.engine.has_value());
    EXPECT_EQ(result.engine->source(), installed().string());
}

TEST_F(SkinLoader, NoLibraryAnywhereNamesLibraryAndEntryPoint) {
    places_.library_dir.clear();  // no home to install into
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    ASSERT_TRUE(result.failure.has_value());
    EXPECT_FALSE(result.engine.has_value());
    const std::string message = cp936_to_utf8(*result.failure);
    EXPECT_NE(message.find("libSkinH_EL.so"), std::string::npos) << message;
    EXPECT_NE(message.find("SkinH_AttachEx"), std::string::npos) << message;
    // The skin file was still written before the binding.
    EXPECT_EQ(read_file(skin_file()), *skin_table_entry(8));
}

TEST_F(SkinLoader, ALibraryWithoutTheEntryPointNamesBoth) {
    write_file(program_copy(), read_file(VX_FAKE_ENGINE_NO_ENTRY));
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    ASSERT_TRUE(result.failure.has_value());
    const std::string message = cp936_to_utf8(*result.failure);
    EXPECT_NE(message.find(program_copy().string()), std::string::npos) << message;
    EXPECT_NE(message.find("SkinH_AttachEx"), std::string::npos) << message;
    // The first library found is the one used: the good installed copy is not tried.
    EXPECT_FALSE(fake_record(installed()).has_value());
}

TEST_F(SkinLoader, UnwritablePlacesGoUnnoticed) {
    // A regular file where folders should be: nothing can be written below it.
    write_file(base_ / "blocker", "x");
    places_.library_dir = base_ / "blocker" / "system";
    places_.current_dir = base_ / "blocker" / "cwd";
    write_file(program_copy(), fake_a_);
    const SkinLoadResult result = load_skin(8, places_, as_image(fake_b_));
    EXPECT_FALSE(result.failure.has_value());
    EXPECT_EQ(fake_record(program_copy())->calls, 1);
}

}  // namespace
}  // namespace vx
