// Opens the running program's About window from another process, as the window menu would:
// posts WM_SYSCOMMAND 1025 to the window with the main window's caption. Used by the screenshot.
#include "product_identity.h"

#include <windows.h>

int wmain() {
    HWND main_window = FindWindowW(nullptr, L"Tovaro to KORVANE version: " T2K_VERSION_TEXT);
    if (main_window == nullptr) {
        return 1;
    }
    return PostMessageW(main_window, WM_SYSCOMMAND, 1025, 0) ? 0 : 2;
}
