// Whole-file reads and replacements of the settings file, through std::filesystem.
#include "settings/file_bytes.h"

#include "settings/settings.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace t2k {

namespace fs = std::filesystem;

std::string read_file_bytes(const std::u16string& path) {
    std::error_code ignored;
    if (!fs::is_regular_file(fs::path(path), ignored)) {
        return {};
    }
    std::ifstream in(fs::path(path), std::ios::binary);
    // Whole buffers at a time: a character at a time is slow on big files, most of all under
    // the sanitizers.
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// Opening for appending changes nothing, and fails exactly when a write would be refused.
bool may_write_file(const std::u16string& path) {
    std::error_code ignored;
    if (!fs::exists(fs::path(path), ignored)) {
        return true;
    }
    std::ofstream probe(fs::path(path), std::ios::binary | std::ios::app);
    return probe.is_open();
}

void replace_file_bytes(const std::u16string& path, std::string_view bytes) {
    const fs::path target(path);
    const fs::path temporary(path + u".tmp");
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            fs::remove(temporary, ignored);
            throw SettingsWriteError(path);
        }
    }
    // The new file takes the old one's permissions, not the defaults of a fresh file.
    const fs::file_status old_status = fs::status(target, ignored);
    if (fs::exists(old_status)) {
        fs::permissions(temporary, old_status.permissions(), ignored);
    }
    std::error_code renamed;
    fs::rename(temporary, target, renamed);
    if (renamed) {
        fs::remove(temporary, ignored);
        throw SettingsWriteError(path);
    }
}

} // namespace t2k
