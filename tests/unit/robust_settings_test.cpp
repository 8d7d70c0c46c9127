// Damaged settings files: garbage, a huge file, a huge line, a directory in the file's place.
// The program must start with sensible values, and saving must work or fail with its message.
#include "settings/settings.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace t2k {
namespace {

struct DamagedCase {
    const char* label;
    std::string (*make)();
    const char16_t* save_path;      // nullptr: the default, the folder itself
    const char16_t* save_extension; // nullptr: "maz"
};

std::string garbage(std::size_t size) {
    std::mt19937 random(20240611); // the same bytes on every run
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

const std::string section = "[TOVARO]\r\n";
const std::string saved_keys = "SavePath=D:\\out\\\r\nSaveExtension=nc\r\n";

const DamagedCase cases[] = {
    {"binary_garbage", [] { return garbage(64 * 1024); }, nullptr, nullptr},
    {"garbage_before_the_section",
     [] { return garbage(64 * 1024) + "\r\n" + section + saved_keys; }, u"D:\\out\\", u"nc"},
    {"ten_MiB_with_the_section_last",
     [] {
         std::string bytes;
         for (int i = 0; bytes.size() < 10 * 1024 * 1024; ++i) {
             bytes += "[Other" + std::to_string(i % 100) + "]\r\nKey" + std::to_string(i) +
                      "=some value of the other program\r\n";
         }
         return bytes + section + saved_keys;
     },
     u"D:\\out\\", u"nc"},
    // A read gets what its 2048-character buffer holds: 2047 characters and the terminator.
    {"line_of_100000_characters",
     [] { return section + "SavePath=" + std::string(100'000, 'x') + "\r\nSaveExtension=nc\r\n"; },
     nullptr, u"nc"},
};

class DamagedSettingsTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSettingsTest, loads_sensible_values_and_saves_over_it) {
    const DamagedCase& c = GetParam();
    test::TempDir folder;
    test::write_bytes(folder.file(u"tovaro.ini"), c.make());

    const SavedSettings loaded = load_settings(folder.path());

    const std::u16string long_path(2047, u'x');
    const std::u16string expected_path =
        c.save_path ? c.save_path
                    : (std::string(c.label).starts_with("line_") ? long_path : folder.path());
    EXPECT_TRUE(loaded.save_path == expected_path)
        << "SavePath has " << loaded.save_path.size() << " characters";
    EXPECT_EQ(loaded.save_extension, c.save_extension ? c.save_extension : u"maz");

    save_settings(folder.path(), {u"E:\\new\\", u"k1"});
    const SavedSettings reloaded = load_settings(folder.path());
    EXPECT_EQ(reloaded.save_path, u"E:\\new\\");
    EXPECT_EQ(reloaded.save_extension, u"k1");
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedSettingsTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DamagedSettings, directory_in_place_of_the_file_loads_defaults_and_refuses_a_save) {
    test::TempDir folder;
    const std::u16string ini = folder.file(u"tovaro.ini");
    test::make_folder(ini);

    const SavedSettings loaded = load_settings(folder.path());
    EXPECT_EQ(loaded.save_path, folder.path());
    EXPECT_EQ(loaded.save_extension, u"maz");

    try {
        save_settings(folder.path(), {u"E:\\new\\", u"k1"});
        FAIL() << "a directory took the settings";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(error.text(), u"Unable to write to " + ini);
    }
    EXPECT_TRUE(test::path_exists(ini));
}

} // namespace
} // namespace t2k
