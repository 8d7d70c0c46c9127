// The path of a file the build made, as a Windows program under Wine names it.
#pragma once

#include <string>
#include <string_view>

namespace t2k::test {

// The build gives paths as POSIX paths; Wine shows the POSIX root as drive Z:.
inline std::wstring windows_path_of_build_file(std::string_view posix_path) {
    std::wstring windows_path = L"Z:";
    for (char c : posix_path) {
        windows_path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return windows_path;
}

} // namespace t2k::test
