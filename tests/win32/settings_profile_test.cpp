// The Windows profile services against the same table of settings-file cases as our INI code.
#include "settings/win32/profile_file.h"
#include "tests/unit/settings_table.h"

#include <gtest/gtest.h>

namespace t2k::test {
namespace {

std::unique_ptr<SettingsFile> open_profile(const std::u16string& path) {
    return std::make_unique<ProfileFile>(path);
}

class ProfileFileTable : public testing::TestWithParam<SettingsCase> {};

TEST_P(ProfileFileTable, behaves_as_the_row_says) {
    run_settings_case(GetParam(), open_profile);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProfileFileTable, testing::ValuesIn(settings_cases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace t2k::test
