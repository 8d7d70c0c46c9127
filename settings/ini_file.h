// IniFile: our own INI reader and writer, following the rules of the Windows profile services.
#pragma once

#include "settings/settings_file.h"

#include <string>

namespace t2k {

// Every call reads the file afresh; a write reaches the disk before it returns, through a
// temporary file in the same folder renamed over the old one, so a crash never leaves half a
// file. Nothing is cached, so release has nothing to flush. A file that starts with a byte-order
// mark (UTF-8, UTF-16LE or UTF-16BE) is read and written in its encoding, as the profile services
// do, and one without in ANSI, valid UTF-8 or not. A symbolic link is
// written through, and a file that can be written but not read is not written at all.
class IniFile final : public SettingsFile {
public:
    explicit IniFile(std::u16string path);

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) override;
    void write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    std::u16string path_;
};

} // namespace t2k
