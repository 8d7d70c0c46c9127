// Helpers for the About window's tests.
#include "about_test_support.h"

#include "toolkit/win32/message_loop.h"

#include <utility>

namespace t2k::about_test {
namespace {

const FormLayout test_layout{
    .caption = u"Test main window", .client_width = 300, .client_height = 200, .controls = {}};

std::function<void()> later_step;
UINT_PTR later_timer = 0;

void CALLBACK run_later_now(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, later_timer);
    later_timer = 0;
    auto step = std::exchange(later_step, {});
    if (step) {
        step();
    }
}

} // namespace

void pump_for(DWORD milliseconds, const std::function<bool()>& done) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end && !(done && done())) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        process_pending_messages();
    }
}

TestForm::TestForm() : Form(test_layout) {}

std::vector<MenuItem> window_menu_items(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back(
            {separator ? 0 : info.wID,
             separator ? std::u16string() : std::u16string(reinterpret_cast<char16_t*>(text)),
             separator});
    }
    return items;
}

void run_later(DWORD after, std::function<void()> step) {
    later_step = std::move(step);
    later_timer = SetTimer(nullptr, 0, after, &run_later_now);
}

} // namespace t2k::about_test
