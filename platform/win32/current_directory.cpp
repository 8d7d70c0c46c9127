// The current directory on Windows.
#include "platform/current_directory.h"

#include "platform/win32/wide.h"

#include <vector>
#include <windows.h>

namespace t2k {

// Another thread may change the folder between asking its size and reading it: a result that no
// longer fits is the size needed now (terminator included), and the read is tried again.
std::u16string current_directory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return u".";
        }
        if (length < buffer.size()) {
            return from_wide(buffer.data(), length);
        }
        buffer.resize(length);
    }
}

} // namespace t2k
