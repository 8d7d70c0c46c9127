// Message box recording through a CBT hook, for tests of what the program tells its user.
#include "tests/support/message_box_recorder.h"

namespace t2k::test {

namespace {

thread_local MessageBoxRecorder* active_recorder = nullptr;

constexpr int message_text_id = 0xFFFF; // the static holding a message box's text

bool shows_icon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        // The box is not shown yet when it activates, so the child's own style tells.
        if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE) != 0 &&
            SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string window_text(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

MessageBoxRecorder::MessageBoxRecorder()
    : hook_(SetWindowsHookExW(WH_CBT, &MessageBoxRecorder::hook, nullptr, GetCurrentThreadId())) {
    active_recorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    active_recorder = nullptr;
    UnhookWindowsHookEx(hook_);
}

std::vector<std::u16string> MessageBoxRecorder::texts() const {
    std::vector<std::u16string> texts;
    for (const RecordedBox& box : boxes_) {
        texts.push_back(box.text);
    }
    return texts;
}

LRESULT CALLBACK MessageBoxRecorder::hook(int code, WPARAM wparam, LPARAM lparam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
    if (code == HCBT_ACTIVATE && active_recorder != nullptr) {
        HWND box = reinterpret_cast<HWND>(wparam);
        wchar_t class_name[16] = {};
        GetClassNameW(box, class_name, 16);
        HWND text = GetDlgItem(box, message_text_id);
        if (std::wstring_view(class_name) == L"#32770" && text != nullptr) {
            RecordedBox record;
            record.caption = window_text(box);
            record.text = window_text(text);
            record.has_icon = shows_icon(box);
            GetWindowRect(box, &record.rect);
            if (active_recorder->watched_ != nullptr) {
                record.watched_text = window_text(active_recorder->watched_);
            }
            active_recorder->boxes_.push_back(record);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return next;
}

} // namespace t2k::test
