// SettingsFile: the few operations the settings need from an INI file, with the system's rules.
#pragma once

#include "settings/settings.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace t2k {

// Values are read into a buffer of this many characters, so at most one less comes back.
inline constexpr std::size_t settings_read_buffer_size = 2048;

// An INI file opened by name; opening never fails and never creates the file.
// Releasing the object flushes whatever the system still holds for the file.
class SettingsFile {
public:
    SettingsFile() = default;
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    virtual ~SettingsFile() = default;

    // The key's value in the section, or fallback when the file, section or key is missing.
    // Names match regardless of case; blanks around the value and one pair of matching quotes are
    // dropped; the result is cut to settings_read_buffer_size - 1 characters.
    virtual std::u16string read(std::u16string_view section, std::u16string_view key,
                                std::u16string_view fallback) = 0;

    // Sets the key, creating the file and the section as needed. Throws SettingsWriteError when
    // the system refuses.
    virtual void write(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) = 0;
};

// The platform's settings file: the profile services on Windows, our own INI code elsewhere.
std::unique_ptr<SettingsFile> open_settings_file(const std::u16string& path);

// The settings file's full path for a folder.
std::u16string settings_file_path(const std::u16string& folder);

// load_settings and save_settings over a given file, which they release before returning, on
// every path.
SavedSettings read_saved_settings(std::unique_ptr<SettingsFile> file,
                                  const std::u16string& default_folder);
void write_saved_settings(std::unique_ptr<SettingsFile> file, const SavedSettings& values);

} // namespace t2k
