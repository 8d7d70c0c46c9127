// Our own INI code: the shared table, and what only it promises (untouched bytes, no half file).
#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/settings_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace t2k::test {
namespace {

std::unique_ptr<SettingsFile> open_ini(const std::u16string& path) {
    return std::make_unique<IniFile>(path);
}

class IniFileTable : public testing::TestWithParam<SettingsCase> {};

TEST_P(IniFileTable, behaves_as_the_row_says) {
    run_settings_case(GetParam(), open_ini);
}

INSTANTIATE_TEST_SUITE_P(Rows, IniFileTable, testing::ValuesIn(settings_cases()),
                         [](const auto& info) { return info.param.name; });

TEST(IniFile, a_write_changes_only_its_own_line_and_adds_before_the_blank_lines) {
    TempDir folder;
    const std::u16string path = settings_file_path(folder.path());
    write_bytes(path, "; untidy\n[First] \n  a = 1  \n\n[tovaro]\nsavepath = old\n\n\n"
                      "[Last]\nb=\"2\"");
    IniFile file(path);
    file.write(u"TOVARO", u"SavePath", u"C:\\new\\");
    file.write(u"TOVARO", u"SaveExtension", u"ext");
    file.write(u"Last", u"c", u"3");
    EXPECT_EQ(read_bytes(path), "; untidy\n[First] \n  a = 1  \n\n[tovaro]\nsavepath=C:\\new\\\r\n"
                                "SaveExtension=ext\r\n\n\n[Last]\nb=\"2\"\r\nc=3\r\n");
}

TEST(IniFile, a_write_goes_through_a_temporary_file_that_does_not_stay) {
    namespace fs = std::filesystem;
    TempDir folder;
    const std::u16string path = settings_file_path(folder.path());
    write_bytes(path, "[TOVARO]\r\nSavePath=old\r\n");
    fs::permissions(fs::path(path), fs::perms::owner_read | fs::perms::owner_write);
    IniFile(path).write(u"TOVARO", u"SavePath", u"new");

    EXPECT_EQ(names_in(folder.path()), std::vector<std::u16string>{u"tovaro.ini"});
    EXPECT_EQ(read_bytes(path), "[TOVARO]\r\nSavePath=new\r\n");
#ifndef _WIN32
    EXPECT_EQ(fs::status(fs::path(path)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write)
        << "the replaced file keeps its permissions";
#endif
}

#ifndef _WIN32
TEST(IniFile, a_write_through_a_symbolic_link_replaces_the_file_it_leads_to) {
    namespace fs = std::filesystem;
    TempDir folder;
    const std::u16string real = folder.file(u"real.ini");
    write_bytes(real, "[Other]\r\nx=1\r\n");
    const std::u16string path = settings_file_path(folder.path());
    fs::create_symlink("real.ini", fs::path(path));

    IniFile(path).write(u"TOVARO", u"SavePath", u"new");

    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(fs::path(path))));
    EXPECT_EQ(read_bytes(real), "[Other]\r\nx=1\r\n[TOVARO]\r\nSavePath=new\r\n");
    EXPECT_EQ(names_in(folder.path()), (std::vector<std::u16string>{u"real.ini", u"tovaro.ini"}));
}

// Run as an ordinary user (ctest does so when it runs as root), whom permission bits stop.
TEST(IniFileAsOrdinaryUser, a_file_that_can_be_written_but_not_read_is_refused_and_kept) {
    namespace fs = std::filesystem;
    TempDir folder;
    const std::u16string path = settings_file_path(folder.path());
    write_bytes(path, "[Other]\r\nx=1\r\n");
    fs::permissions(fs::path(path), fs::perms::owner_write);
    ASSERT_FALSE(std::ifstream(fs::path(path)).is_open())
        << "the file stays readable: this test needs an ordinary user, not root";
    EXPECT_THROW(IniFile(path).write(u"TOVARO", u"SavePath", u"new"), SettingsWriteError);
    fs::permissions(fs::path(path), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read_bytes(path), "[Other]\r\nx=1\r\n");
}
#endif

} // namespace
} // namespace t2k::test
