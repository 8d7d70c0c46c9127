// The running executable's full path on Windows, from GetModuleFileNameW.
#include "platform/process.h"

#include "platform/win32/wide.h"

#include <system_error>
#include <vector>
#include <windows.h>

namespace t2k {

std::u16string executable_path() {
    // A path longer than MAX_PATH is possible; the call truncates and fills the buffer then.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "GetModuleFileNameW");
        }
        if (length < size) {
            return from_wide(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace t2k
