// The visible window of the program's own class that a process started from a test shows.
#pragma once

#include <windows.h>

namespace t2k::test {

// Waits up to 20 seconds for it; nullptr when none shows. A null caption takes any caption.
inline HWND find_program_window(DWORD process_id, const wchar_t* caption) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"T2KForm", caption)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_id && IsWindowVisible(window)) {
                return window;
            }
        }
        Sleep(50);
    }
    return nullptr;
}

} // namespace t2k::test
