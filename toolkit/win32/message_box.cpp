// Message boxes through MessageBoxIndirectW, centred over their owner by a CBT hook.
#include "toolkit/win32/message_box.h"

#include "toolkit/win32/busy_cursor.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/app_title.h"
#include "toolkit/win32/handles.h"

#include <string>

namespace t2k {

namespace {

// The box is created by the system, so it is moved when it first activates; the hook lives
// exactly as long as one box is being shown and only ever moves that one.
class CentreOverOwner {
public:
    explicit CentreOverOwner(HWND owner) : owner_(owner), previous_(current) {
        if (owner_ != nullptr) {
            hook_ = HookHandle(
                SetWindowsHookExW(WH_CBT, &CentreOverOwner::hook, nullptr, GetCurrentThreadId()));
        }
        current = this;
    }
    ~CentreOverOwner() { current = previous_; }
    CentreOverOwner(const CentreOverOwner&) = delete;
    CentreOverOwner& operator=(const CentreOverOwner&) = delete;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_ACTIVATE && current != nullptr && !current->done_) {
            current->centre(reinterpret_cast<HWND>(wparam));
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    void centre(HWND box) {
        wchar_t class_name[16] = {};
        GetClassNameW(box, class_name, 16);
        if (std::wstring_view(class_name) != L"#32770") {
            return;
        }
        done_ = true;
        RECT owner_rect{}, box_rect{};
        GetWindowRect(owner_, &owner_rect);
        GetWindowRect(box, &box_rect);
        const int width = box_rect.right - box_rect.left;
        const int height = box_rect.bottom - box_rect.top;
        const int x = owner_rect.left + (owner_rect.right - owner_rect.left - width) / 2;
        const int y = owner_rect.top + (owner_rect.bottom - owner_rect.top - height) / 2;
        SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static inline thread_local CentreOverOwner* current = nullptr;
    HWND owner_;
    CentreOverOwner* previous_;
    HookHandle hook_;
    bool done_ = false;
};

void show_box(std::u16string_view text, std::u16string_view caption, DWORD icon) {
    const std::u16string text_z(text);
    const std::u16string caption_z(caption);
    HWND owner = GetActiveWindow();
    CentreOverOwner placement(owner);
    // The program waits for the user now, not the other way round: the normal arrow.
    const BusyCursor waiting_for_user(Form::from_window(owner), false);
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof params;
    params.hwndOwner = owner;
    params.hInstance = GetModuleHandleW(nullptr);
    params.lpszText = wide(text_z);
    params.lpszCaption = wide(caption_z);
    params.dwStyle = MB_OK | icon;
    MessageBoxIndirectW(&params);
}

} // namespace

void show_message(std::u16string_view text) {
    show_box(text, application_title(), 0);
}

void show_error_box(std::u16string_view text) {
    show_box(text, u"Error", MB_ICONERROR);
}

} // namespace t2k
