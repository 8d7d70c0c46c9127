// The per-monitor DPI functions, looked up in user32 so the exe loads on Windows 7 SP1. Apart from
// the other look-ups, so that the CLI, which needs none of these, links no user32 or gdi32.
#include "platform/win32/system_functions.h"

#include "platform/win32/unique_handle.h"

namespace t2k {
namespace {

constexpr unsigned design_dpi = 96; // what a window has when its DC tells nothing

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The newer functions this system has; a null member is one it lacks.
struct NewerDpiFunctions {
    GetDpiForWindowFunction get_dpi_for_window = nullptr;
    AdjustWindowRectExForDpiFunction adjust_window_rect_ex_for_dpi = nullptr;
};

// Looked up once: what the system offers does not change while the process runs.
NewerDpiFunctions& newer_dpi_functions() {
    static NewerDpiFunctions functions{
        system_function<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow"),
        system_function<AdjustWindowRectExForDpiFunction>(L"user32.dll",
                                                          "AdjustWindowRectExForDpi")};
    return functions;
}

unsigned device_context_dpi(HWND window) {
    const WindowDc dc = window_dc(window);
    const int dpi = dc ? GetDeviceCaps(dc.get().dc, LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : design_dpi;
}

} // namespace

unsigned window_dpi(HWND window) {
    if (const auto get_dpi_for_window = newer_dpi_functions().get_dpi_for_window) {
        if (const UINT dpi = get_dpi_for_window(window); dpi != 0) {
            return dpi;
        }
    }
    return device_context_dpi(window);
}

void adjust_window_rect_for_dpi(RECT& rect, DWORD style, DWORD ex_style, unsigned dpi) {
    if (const auto adjust = newer_dpi_functions().adjust_window_rect_ex_for_dpi) {
        adjust(&rect, style, FALSE, ex_style, dpi);
        return;
    }
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

void make_newer_dpi_functions_unavailable() {
    newer_dpi_functions() = NewerDpiFunctions{};
}

} // namespace t2k
