// Listing a folder's own files through FindFirstFileW, sorted with CompareStringOrdinal.
#include "toolkit/win32/folder_files.h"

#include "platform/path_style.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <algorithm>

namespace t2k {
namespace {

constexpr DWORD left_out = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool name_before(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(wide(a), static_cast<int>(a.size()), wide(b),
                                static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

} // namespace

bool is_folder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::u16string> files_in_folder(const std::u16string& folder) {
    const std::u16string prefix = PathStyle::windows.with_trailing_delimiter(folder);
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileW(wide(prefix + u"*"), &found);
    std::vector<std::u16string> names;
    if (first == INVALID_HANDLE_VALUE) {
        return names;
    }
    const FindHandle search(first);
    do {
        if ((found.dwFileAttributes & left_out) == 0) {
            names.push_back(from_wide(found.cFileName));
        }
    } while (FindNextFileW(search.get(), &found));
    std::stable_sort(names.begin(), names.end(), name_before);
    for (std::u16string& name : names) {
        name.insert(0, prefix);
    }
    return names;
}

} // namespace t2k
