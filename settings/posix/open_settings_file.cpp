// Away from Windows the settings file is read and written by our own INI code.
#include "settings/ini_file.h"

namespace t2k {

std::unique_ptr<SettingsFile> open_settings_file(const std::u16string& path) {
    return std::make_unique<IniFile>(path);
}

} // namespace t2k
