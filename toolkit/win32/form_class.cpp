// The forms' window class: double clicks, the arrow, the button face, the program's icons.
#include "toolkit/win32/form_class.h"

#include "toolkit/win32/handles.h"
#include "toolkit/win32/program_icon.h"

namespace t2k {

ATOM form_window_class(WNDPROC procedure) {
    // The program's icon at the system's big and small icon sizes (which follow its DPI), kept as
    // long as the class; an exe without an icon shows the system's.
    static const IconHandle big_icon = load_program_icon(GetSystemMetrics(SM_CXICON));
    static const IconHandle small_icon = load_program_icon(GetSystemMetrics(SM_CXSMICON));
    static const ATOM atom = [procedure] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.style = CS_DBLCLKS;
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.hIcon = big_icon ? big_icon.get() : LoadIconW(nullptr, IDI_APPLICATION);
        window_class.hIconSm = small_icon.get();
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = L"T2KForm";
        window_class.cbWndExtra = DLGWINDOWEXTRA;
        return RegisterClassExW(&window_class);
    }();
    return atom;
}

} // namespace t2k
