// IniFile: our own INI reader and writer, following the rules of the Windows profile services.
#pragma once

#include "settings/settings_file.h"

#include <filesystem>
#include <string>

namespace t2k {

// Every call reads the file afresh; a write reaches the disk before it returns, through a
// temporary file in the same folder renamed over the old one, so a crash never leaves half a
// file. A symbolic link is written through: the file it leads to is replaced, the link stays.
// A file that can be written but not read is not written, so nothing in it is lost. Nothing is
// cached, so release has nothing to flush.
class IniFile final : public SettingsFile {
public:
    explicit IniFile(std::u16string path);

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) override;
    void write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    // Writes bytes to target (the file path_ names, links followed) through a temporary file.
    void replace_contents(const std::filesystem::path& target, const std::string& bytes) const;

    std::u16string path_;
};

} // namespace t2k
