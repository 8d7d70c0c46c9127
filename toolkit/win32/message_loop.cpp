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

// Tab leaves a multi-line text box for the next control instead of typing a tab (Ctrl+Tab still
// types one), as in every other field of a form.
bool tab_out_of_text_box(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
        (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        return false;
    }
    HWND focus = GetFocus();
    if (focus == nullptr || (GetWindowLongPtrW(focus, GWL_STYLE) & ES_MULTILINE) == 0) {
        return false;
    }
    wchar_t class_name[8] = {};
    GetClassNameW(focus, class_name, 8);
    if (lstrcmpiW(class_name, L"Edit") != 0) {
        return false;
    }
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (HWND next = GetNextDlgTabItem(root, focus, backwards)) {
        SetFocus(next);
    }
    return true;
}

void dispatch(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (Form::from_window(root) != nullptr) {
        if (press_focused_button(message) || tab_out_of_text_box(root, message) ||
            IsDialogMessageW(root, &message)) {
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
