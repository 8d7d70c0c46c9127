// Whole-file reads and replacements of the settings file, through std::filesystem, streams and
// the POSIX file calls.
#include "settings/file_bytes.h"

#include "settings/settings_write_error.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

bool write_all(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct TemporaryFile {
    std::string name; // empty when none could be made
    bool written = false;
};

// The bytes in a new file beside target, of a name no other file has: mkstemp creates it
// exclusively, so a file or link someone placed under a name we would pick is never written
// through, and two programs saving at once never share one. It takes the old file's permissions
// (not the defaults of a fresh file), and is on the disk before it is renamed, so that a crash
// after the rename finds the new bytes.
TemporaryFile write_temporary_file(const fs::path& target, std::string_view bytes) {
    std::string name = target.string() + ".XXXXXX";
    const int file = mkstemp(name.data());
    if (file < 0) {
        return {};
    }
    struct stat old_status {};
    bool written = write_all(file, bytes);
    if (written && ::stat(target.c_str(), &old_status) == 0) {
        written = fchmod(file, old_status.st_mode & 07777) == 0;
    }
    written = written && fsync(file) == 0;
    written = ::close(file) == 0 && written;
    return {std::move(name), written};
}

// The folder's entry of the rename on the disk too.
void sync_folder(const fs::path& folder) {
    const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        fsync(handle);
        ::close(handle);
    }
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
    const TemporaryFile temporary = write_temporary_file(target, bytes);
    if (!temporary.written || std::rename(temporary.name.c_str(), target.c_str()) != 0) {
        if (!temporary.name.empty()) {
            ::unlink(temporary.name.c_str());
        }
        throw SettingsWriteError(path);
    }
    sync_folder(target.parent_path());
}

} // namespace t2k
