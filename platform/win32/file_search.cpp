// The directory search through FindFirstFileExW, and the name order.
#include "platform/win32/file_search.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>

namespace t2k {
namespace {

bool name_before(const std::u16string& a, const std::u16string& b) {
    const int order = CompareStringOrdinal(wide(a), static_cast<int>(a.size()), wide(b),
                                           static_cast<int>(b.size()), TRUE);
    return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
}

DWORD left_out(FoundFiles which) {
    return FILE_ATTRIBUTE_DIRECTORY |
           (which == FoundFiles::shown ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM : 0);
}

} // namespace

std::vector<std::u16string> find_file_names(const std::u16string& pattern, FoundFiles which) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(wide(pattern), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & left_out(which)) == 0) {
            names.push_back(from_wide(found.cFileName));
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), name_before);
    return names;
}

} // namespace t2k
