// Wildcards on Windows: cmd.exe and PowerShell pass "*.txt" on as it is, so the program expands
// it with the system's own directory search.
#include "cli/wildcards.h"

#include "platform/path_style.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <algorithm>
#include <windows.h>

namespace t2k {
namespace {

// The names of the files (not folders) the pattern matches.
std::vector<std::u16string> matching_files(const std::u16string& pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(wide(pattern), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(from_wide(found.cFileName));
        }
    } while (FindNextFileW(search.get(), &found));
    return names;
}

// Sorted as Explorer's and dir's plain name order: letter case aside, then exactly.
bool name_before(const std::u16string& a, const std::u16string& b) {
    const int order = CompareStringOrdinal(wide(a), static_cast<int>(a.size()), wide(b),
                                           static_cast<int>(b.size()), TRUE);
    return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
}

} // namespace

std::vector<std::u16string> expand_wildcards(const std::u16string& argument) {
    const std::u16string_view folder = PathStyle::windows.folder_part(argument);
    const std::u16string_view last = PathStyle::windows.file_name_part(argument);
    if (last.find_first_of(u"*?") == std::u16string_view::npos) {
        return {argument};
    }
    std::vector<std::u16string> names = matching_files(argument);
    if (names.empty()) {
        return {argument};
    }
    std::sort(names.begin(), names.end(), name_before);
    for (std::u16string& name : names) {
        name.insert(0, folder);
    }
    return names;
}

} // namespace t2k
