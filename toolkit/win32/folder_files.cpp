// Listing a folder's own files with the platform's file search.
#include "toolkit/win32/folder_files.h"

#include "platform/path_style.h"
#include "platform/win32/file_search.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace t2k {

bool is_folder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::u16string> files_in_folder(const std::u16string& folder) {
    const std::u16string prefix = PathStyle::windows.with_trailing_delimiter(folder);
    std::vector<std::u16string> names = find_file_names(prefix + u"*", FoundFiles::shown);
    for (std::u16string& name : names) {
        name.insert(0, prefix);
    }
    return names;
}

} // namespace t2k
