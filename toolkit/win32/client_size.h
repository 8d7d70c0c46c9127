// Sizing a top-level window by its client area, at the window's DPI.
#pragma once

#include <windows.h>

namespace t2k {

// Resizes the window (of that style) so its client area is width × height pixels at that DPI,
// keeping its position.
void fit_window_to_client(HWND window, DWORD style, int width, int height, unsigned dpi);

} // namespace t2k
