// IniFile: reading the file, and replacing it whole on a write.
#include "settings/ini_file.h"

#include "platform/code_page.h"
#include "settings/ini_document.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace t2k {
namespace {

namespace fs = std::filesystem;

// The file's bytes; empty for a missing file or a directory in its place, nullopt for a file
// that is there but cannot be read.
std::optional<std::string> read_existing(const fs::path& path) {
    std::error_code ignored;
    if (!fs::is_regular_file(path, ignored)) {
        return std::string();
    }
    std::ifstream in(path, std::ios::binary);
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

// A read finds nothing in a file it cannot read.
std::string read_bytes(const fs::path& path) {
    return read_existing(path).value_or(std::string());
}

// The file a chain of symbolic links ends at, so that a write replaces it and not the link.
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

// Opening for appending changes nothing, and fails exactly when the system would refuse to
// write the file: a read-only or immutable file, or one we may not write.
bool may_write(const fs::path& path) {
    std::error_code ignored;
    if (!fs::exists(path, ignored)) {
        return true;
    }
    std::ofstream probe(path, std::ios::binary | std::ios::app);
    return probe.is_open();
}

} // namespace

IniFile::IniFile(std::u16string path) : path_(std::move(path)) {}

std::u16string IniFile::read(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback) {
    const IniDocument document(read_bytes(fs::path(path_)), CodePage::system());
    const std::optional<std::u16string> stored = document.value(section, key);
    return profile_read_result(stored ? std::u16string_view(*stored) : profile_fallback(fallback));
}

void IniFile::write(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
    const fs::path target = through_links(fs::path(path_));
    // Refused even when nothing would change, as the profile services refuse it.
    if (!may_write(target)) {
        throw SettingsWriteError(path_);
    }
    // Refused too when the file cannot be read: writing it anew would drop its other lines.
    const std::optional<std::string> existing = read_existing(target);
    if (!existing) {
        throw SettingsWriteError(path_);
    }
    IniDocument document(*existing, CodePage::system());
    if (document.set(section, key, value)) {
        replace_contents(target, document.bytes());
    }
}

void IniFile::replace_contents(const fs::path& target, const std::string& bytes) const {
    fs::path temporary = target;
    temporary += ".tmp";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            fs::remove(temporary, ignored);
            throw SettingsWriteError(path_);
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
        throw SettingsWriteError(path_);
    }
}

} // namespace t2k
