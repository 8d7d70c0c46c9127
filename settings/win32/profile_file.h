// ProfileFile: the settings file through the Windows profile services.
#pragma once

#include "settings/settings_file.h"

#include <string>

namespace t2k {

// The system may cache the file's contents between calls; release asks it to write them out.
class ProfileFile final : public SettingsFile {
public:
    explicit ProfileFile(std::u16string path);
    ~ProfileFile() override;

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) override;
    void write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    std::u16string path_;
};

} // namespace t2k
