// On Windows the settings file goes through the system's profile services.
#include "settings/win32/profile_file.h"

namespace t2k {

std::unique_ptr<SettingsFile> open_settings_file(const std::u16string& path) {
    return std::make_unique<ProfileFile>(path);
}

} // namespace t2k
