// Whole-file reads and replacements of the settings file through the Win32 file calls, which keep
// the C++ streams and std::filesystem (over a megabyte of static code) out of the program.
#include "settings/file_bytes.h"

#include "platform/path_style.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "settings/settings_write_error.h"

#include <windows.h>

#include <algorithm>

namespace t2k {

namespace {

bool is_regular_file(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written != chunk) {
            return false;
        }
        bytes.remove_prefix(chunk);
    }
    return true;
}

struct WrittenTemporaryFile {
    std::u16string name; // empty when none could be made
    bool written = false;
};

// The bytes in a new file beside path, flushed to the disk before it is renamed, so that a crash
// after the rename finds the new bytes.
WrittenTemporaryFile write_temporary_file(const std::u16string& path, std::string_view bytes) {
    const TemporaryFile temporary =
        create_temporary_file(PathStyle::windows.folder_part(path), GENERIC_WRITE, 0);
    if (!temporary.file) {
        return {};
    }
    return {temporary.name,
            write_all(temporary.file.get(), bytes) && FlushFileBuffers(temporary.file.get())};
}

} // namespace

std::optional<std::string> read_existing_file_bytes(const std::u16string& path) {
    if (!is_regular_file(path)) {
        return std::string();
    }
    FileHandle file(CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, read);
    }
    return std::nullopt;
}

std::string read_file_bytes(const std::u16string& path) {
    return read_existing_file_bytes(path).value_or(std::string());
}

// Opening for appending changes nothing, and fails exactly when a write would be refused.
bool may_write_file(const std::u16string& path) {
    if (GetFileAttributesW(wide(path)) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const FileHandle probe(CreateFileW(wide(path), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(probe);
}

void replace_file_bytes(const std::u16string& path, std::string_view bytes) {
    const WrittenTemporaryFile temporary = write_temporary_file(path, bytes);
    if (!temporary.written || !MoveFileExW(wide(temporary.name), wide(path),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (!temporary.name.empty()) {
            DeleteFileW(wide(temporary.name));
        }
        throw SettingsWriteError(path);
    }
}

} // namespace t2k
