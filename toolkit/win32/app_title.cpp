// Derives the application title from the executable's name.
#include "toolkit/win32/app_title.h"

#include "platform/path_style.h"
#include "platform/process.h"

#include <windows.h>

namespace t2k {

std::u16string title_from_executable_path(std::u16string_view path) {
    std::u16string name(PathStyle::windows.file_name_part(path));
    name = name.substr(0, name.find(u'.'));
    if (name.size() > 1) {
        CharLowerBuffW(reinterpret_cast<wchar_t*>(name.data() + 1),
                       static_cast<DWORD>(name.size() - 1));
    }
    return name;
}

const std::u16string& application_title() {
    static const std::u16string title = title_from_executable_path(executable_path());
    return title;
}

} // namespace t2k
