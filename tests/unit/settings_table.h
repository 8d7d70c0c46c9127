// The table of settings-file cases that every SettingsFile implementation must pass alike.
#pragma once

#include "settings/settings_file.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace t2k::test {

using OpenSettingsFile = std::unique_ptr<SettingsFile> (*)(const std::u16string& path);

// What stands in for the file's bytes when there is no file.
inline const std::string no_file = "(no file)";

enum class Locked { nothing, file, folder };

struct OtherKey {
    std::u16string section;
    std::u16string key;
    std::u16string value;
};

struct SettingsCase {
    std::string name;
    std::string before = no_file;        // the file's bytes before
    std::optional<SavedSettings> save{}; // what is saved, if anything
    Locked locked = Locked::nothing;     // made unwritable before the save
    bool refused = false;                // the save fails with SettingsWriteError
    std::optional<std::string> after{};  // the file's exact bytes after, when they are fixed
    SavedSettings loaded{};              // what a load gives afterwards
    std::vector<OtherKey> other_keys{};  // keys of other sections that must read as before
    unsigned code_page = 0;              // the ANSI code page the row needs, 0 for any
};

// Loads use this as the folder default, so a default is told apart from a value read.
inline const std::u16string default_folder = u"D:\\default\\";

const std::vector<SettingsCase>& settings_cases();

// Runs one row in a fresh folder against files opened by open; reports through GoogleTest.
void run_settings_case(const SettingsCase& row, OpenSettingsFile open);

inline void PrintTo(const SettingsCase& row, std::ostream* out) {
    *out << row.name;
}

} // namespace t2k::test
