// Console output on Windows: WriteConsoleW to a console, UTF-8 to a pipe or a file.
#include "cli/console.h"

#include "platform/text.h"

#include <windows.h>

namespace t2k {

void write_text(Stream stream, std::u16string_view text) {
    HANDLE handle = GetStdHandle(stream == Stream::out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = to_utf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace t2k
