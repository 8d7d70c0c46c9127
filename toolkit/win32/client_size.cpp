// Sizing a window by its client area: the frame the system computes, corrected by what it draws.
#include "toolkit/win32/client_size.h"

#include "platform/win32/system_functions.h"

namespace t2k {

void fit_window_to_client(HWND window, DWORD style, int width, int height, unsigned dpi) {
    RECT frame{0, 0, width, height};
    adjust_window_rect_for_dpi(frame, style, 0, dpi);
    const auto resize = [window](int outer_width, int outer_height) {
        SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    resize(frame.right - frame.left, frame.bottom - frame.top);
    // Where the frame the system draws differs from what it computes for this DPI (per-monitor
    // v1, as Wine has it), the client area is corrected by the difference.
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int missing_width = width - client.right;
    const int missing_height = height - client.bottom;
    if (missing_width != 0 || missing_height != 0) {
        resize(outer.right - outer.left + missing_width, outer.bottom - outer.top + missing_height);
    }
}

} // namespace t2k
