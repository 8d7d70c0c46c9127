// Message retrieval and dispatch with dialog-style keyboard navigation for forms.
#include "toolkit/win32/message_loop.h"

#include "toolkit/win32/form.h"

#include <windows.h>

namespace t2k {

namespace {

// Enter on a focused push button presses it, as in a dialog.
bool press_focused_button(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) {
        return false;
    }
    HWND focus = GetFocus();
    if (focus == nullptr) {
        return false;
    }
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) {
        return false;
    }
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

bool is_text_box(HWND window) {
    if (window == nullptr || (GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE) == 0) {
        return false;
    }
    wchar_t class_name[8] = {};
    GetClassNameW(window, class_name, 8);
    return lstrcmpiW(class_name, L"Edit") == 0;
}

// Tab leaves a multi-line text box for the next control instead of typing a tab (Ctrl+Tab still
// types one), as in every other field of a form.
bool tab_out_of_text_box(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
        (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        return false;
    }
    HWND focus = GetFocus();
    if (!is_text_box(focus)) {
        return false;
    }
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (HWND next = GetNextDlgTabItem(root, focus, backwards)) {
        SetFocus(next);
    }
    return true;
}

// Escape in a multi-line text box is the form's Escape, as in every other field; the text box's
// own handling would close the window (and the main window's close ends the program).
bool escape_from_text_box(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || !is_text_box(GetFocus())) {
        return false;
    }
    SendMessageW(root, WM_COMMAND, IDCANCEL, 0);
    return true;
}

void dispatch(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (Form::from_window(root) != nullptr) {
        if (press_focused_button(message) || tab_out_of_text_box(root, message) ||
            escape_from_text_box(root, message) || IsDialogMessageW(root, &message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool handle(MSG& message) {
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    dispatch(message);
    return true;
}

} // namespace

bool process_next_message() {
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) {
        return false;
    }
    if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    return handle(message);
}

bool process_pending_messages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!handle(message)) {
            return false;
        }
    }
    return true;
}

} // namespace t2k
