// Whole-file reads and replacements of the settings file, through std::filesystem and streams.
#include "settings/file_bytes.h"

#include "settings/settings_write_error.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace t2k {

namespace fs = std::filesystem;

namespace {

// The file a chain of symbolic links ends at.
fs::path through_links(fs::path path) {
    std::error_code failed;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, failed)); ++hops) {
        const fs::path target = fs::read_symlink(path, failed);
        if (failed) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

} // namespace

std::optional<std::string> read_existing_file_bytes(const std::u16string& path) {
    std::error_code ignored;
    if (!fs::is_regular_file(fs::path(path), ignored)) {
        return std::string();
    }
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    // Whole buffers at a time: a character at a time is slow on big files, most of all under
    // the sanitizers.
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(bytes).str();
}

std::string read_file_bytes(const std::u16string& path) {
    return read_existing_file_bytes(path).value_or(std::string());
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
    const fs::path target = through_links(fs::path(path));
    fs::path temporary = target;
    temporary += ".tmp";
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
