// Wildcards on Windows: cmd.exe and PowerShell pass "*.txt" on as it is, so the program expands
// it with the system's own directory search.
#include "cli/wildcards.h"

#include "platform/path_style.h"
#include "platform/win32/file_search.h"

namespace t2k {

std::vector<std::u16string> expand_wildcards(const std::u16string& argument) {
    const std::u16string_view folder = PathStyle::windows.folder_part(argument);
    const std::u16string_view last = PathStyle::windows.file_name_part(argument);
    if (last.find_first_of(u"*?") == std::u16string_view::npos) {
        return {argument};
    }
    std::vector<std::u16string> names = find_file_names(argument, FoundFiles::all);
    if (names.empty()) {
        return {argument};
    }
    for (std::u16string& name : names) {
        name.insert(0, folder);
    }
    return names;
}

} // namespace t2k
