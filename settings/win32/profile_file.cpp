// ProfileFile: GetPrivateProfileStringW and WritePrivateProfileStringW on one file.
#include "settings/win32/profile_file.h"

#include "platform/win32/wide.h"
#include "settings/file_encoding.h"

#include <vector>
#include <windows.h>

namespace t2k {

ProfileFile::ProfileFile(std::u16string path) : path_(std::move(path)) {}

ProfileFile::~ProfileFile() {
    // Every argument but the file name empty: flush the cached data. Its result tells nothing.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide(path_));
}

std::u16string ProfileFile::read(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view fallback) {
    std::vector<wchar_t> buffer(settings_read_buffer_size);
    const DWORD length = GetPrivateProfileStringW(
        wide(std::u16string(section)), wide(std::u16string(key)), wide(std::u16string(fallback)),
        buffer.data(), static_cast<DWORD>(buffer.size()), wide(path_));
    return from_wide(buffer.data(), length);
}

void ProfileFile::write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
    // The profile services write a file with a byte-order mark in its encoding and any other
    // in ANSI.
    make_unicode_for(path_, {section, key, value});
    // Only the result counts: the last error is not reliable after a successful write.
    if (!WritePrivateProfileStringW(wide(std::u16string(section)), wide(std::u16string(key)),
                                    wide(std::u16string(value)), wide(path_))) {
        throw SettingsWriteError(path_);
    }
}

} // namespace t2k
