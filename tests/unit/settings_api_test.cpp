// load_settings, save_settings and exe_folder as the main window calls them, on the platform's
// own settings file.
#include "platform/path_style.h"
#include "platform/text.h"
#include "settings/exe_folder.h"
#include "settings/settings.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace t2k::test {
namespace {

TEST(Settings, a_folder_without_a_file_loads_itself_and_maz) {
    TempDir folder;
    const std::u16string with_delimiter =
        PathStyle::native().with_trailing_delimiter(folder.path());
    const SavedSettings loaded = load_settings(with_delimiter);
    EXPECT_EQ(loaded.save_path, with_delimiter);
    EXPECT_EQ(loaded.save_extension, u"maz");
}

TEST(Settings, what_is_saved_loads_from_tovaro_ini_in_the_folder) {
    TempDir folder;
    save_settings(folder.path(), {u"D:\\out\\", u"txt"});
    EXPECT_EQ(read_bytes(folder.file(u"tovaro.ini")),
              "[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=txt\r\n");
    const SavedSettings loaded = load_settings(folder.path());
    EXPECT_EQ(loaded.save_path, u"D:\\out\\");
    EXPECT_EQ(loaded.save_extension, u"txt");
}

TEST(Settings, a_refused_write_names_the_full_path) {
    TempDir folder;
    const std::u16string missing = folder.file(u"missing");
    try {
        save_settings(missing, {u"x", u"y"});
        FAIL() << "a folder that does not exist took the settings";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(error.text(),
                  u"Unable to write to " + missing + PathStyle::native().appended + u"tovaro.ini");
        EXPECT_EQ(error.path(), missing + PathStyle::native().appended + u"tovaro.ini");
    }
}

// A name of the folder's files that the rewrite might pick is someone else's file: it is neither
// written through nor taken away, and the rewrite leaves nothing of its own behind. A folder
// outside every ANSI code page makes even the profile services' file be rewritten.
TEST(Settings, a_save_leaves_a_file_under_a_temporary_name_alone) {
    TempDir folder;
    const std::u16string planted = folder.file(u"tovaro.ini.tmp");
    write_bytes(folder.file(u"tovaro.ini"), "[Other]\r\nk=v\r\n");
    write_bytes(planted, "someone else's");
    const std::u16string far_folder = u"D:\\\u65E5\u672C\u0100\\";
    save_settings(folder.path(), {far_folder, u"maz"});
    EXPECT_EQ(read_bytes(planted), "someone else's");
    EXPECT_EQ(names_in(folder.path()),
              (std::vector<std::u16string>{u"tovaro.ini", u"tovaro.ini.tmp"}));
    EXPECT_EQ(load_settings(folder.path()).save_path, far_folder);
}

TEST(ExeFolder, is_the_folder_of_this_test_program_taken_once) {
    const std::u16string& folder = exe_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), PathStyle::native().appended);
    EXPECT_TRUE(path_exists(folder + ascii(T2K_TEST_PROGRAM_NAME)))
        << "the folder does not hold " << T2K_TEST_PROGRAM_NAME;
    EXPECT_EQ(&exe_folder(), &folder);
}

} // namespace
} // namespace t2k::test
