// The window's DPI and its frame size for a DPI, on every Windows from 7 SP1 on: the per-monitor
// functions newer systems have are looked up at run time, with fallbacks giving the same layout.
#pragma once

#include <windows.h>

namespace t2k {

// The DPI the window is shown at: GetDpiForWindow where the system has it (Windows 10 1607 on),
// else the DPI of the window's device context, which older systems keep at the system DPI.
unsigned window_dpi(HWND window);

// Grows a client rectangle to the rectangle of a window of that style at that DPI:
// AdjustWindowRectExForDpi where the system has it, else AdjustWindowRectEx, which measures the
// frame at the system DPI, the only DPI a window has on older systems.
void adjust_window_rect_for_dpi(RECT& rect, DWORD style, DWORD ex_style, unsigned dpi);

// For tests: from now on this process acts as if the system lacked the newer functions, as
// Windows 7 and 8 do.
void make_newer_dpi_functions_unavailable();

} // namespace t2k
