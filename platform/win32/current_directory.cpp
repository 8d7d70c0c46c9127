// The current directory on Windows.
#include "platform/current_directory.h"

#include "platform/win32/wide.h"

#include <vector>
#include <windows.h>

namespace t2k {

std::u16string current_directory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(size + 1);
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return length == 0 ? u"." : from_wide(buffer.data(), length);
}

} // namespace t2k
