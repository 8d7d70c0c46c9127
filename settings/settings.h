// The remembered output folder and extension, kept in "tovaro.ini" beside the executable.
#pragma once

#include "settings/settings_write_error.h"

#include <string>

namespace t2k {

struct SavedSettings {
    std::u16string save_path;
    std::u16string save_extension;
};

// Reads SavePath and SaveExtension of section "TOVARO" in folder's "tovaro.ini"; a missing file
// or key gives the defaults, folder and "maz". Never fails.
SavedSettings load_settings(const std::u16string& folder);

// Writes SavePath, then SaveExtension (an empty text writes an empty value). A refused write
// throws SettingsWriteError at once, so nothing after it is written.
void save_settings(const std::u16string& folder, const SavedSettings& values);

} // namespace t2k
