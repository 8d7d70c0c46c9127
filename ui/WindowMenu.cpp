// The window-menu extension: the entry table, the keyword rule, the hook and the routing.
#include "ui/WindowMenu.h"

#include "platform/win32/wide.h"
#include "toolkit/win32/catch_all.h"
#include "toolkit/win32/modal.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"

#include <array>
#include <string>

namespace t2k {
namespace {

void show_about_box() {
    if (AboutBox != nullptr) {
        show_modal(*AboutBox);
    }
}

constexpr std::array<WindowMenuEntry, 10> entries{{
    {u"font", u"Install Font", 1028},
    {u"settings", u"Settings", 1030},
    {u"load", u"Load", 1034},
    {u"save", u"Save", 1035},
    {u"about", u"About...", about_command, &show_about_box},
    {u"helpchm", u"Help\tF1", 1026},
    {u"helpfile", u"Help\tF1", 1032},
    {u"helpweb", u"Help\tF1", 1029},
    {u"helpform", u"Help", 1033},
    {u"stayontop", u"Stay On Top", 1036},
}};

// The state the extension keeps for the one window it serves.
HWND main_window_handle = nullptr;
WNDPROC previous_window_proc = nullptr;
std::array<bool, entries.size()> window_menu_flags{};

std::u16string lower_case_a_to_z(std::u16string_view text) {
    std::u16string lowered(text);
    for (char16_t& c : lowered) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return lowered;
}

HWND main_form_window() {
    return MainForm != nullptr ? MainForm->handle() : nullptr;
}

} // namespace

std::span<const WindowMenuEntry> window_menu_entries() {
    return entries;
}

bool window_menu_flag(std::size_t row) {
    return row < entries.size() && window_menu_flags[row];
}

void add_window_menu(std::u16string_view keywords) {
    add_window_menu(main_form_window(), keywords);
}

void add_window_menu(HWND main_window, std::u16string_view keywords) {
    hook_window_proc(main_window);
    HMENU menu = GetSystemMenu(main_window, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::u16string wanted = lower_case_a_to_z(keywords);
    for (std::size_t row = 0; row < entries.size(); ++row) {
        if (wanted.find(entries[row].keyword) == std::u16string::npos) {
            continue;
        }
        const std::u16string text(entries[row].text);
        AppendMenuW(menu, MF_STRING, entries[row].command, wide(text));
        window_menu_flags[row] = true;
    }
}

void hook_window_proc() {
    hook_window_proc(main_form_window());
}

void hook_window_proc(HWND main_window) {
    main_window_handle = main_window;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main_window, GWLP_WNDPROC));
    // Hooked already: keeping the saved procedure stops a message from being passed to
    // window_menu_proc itself, without end.
    if (current != &window_menu_proc) {
        previous_window_proc = current;
    }
    SetWindowLongPtrW(main_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&window_menu_proc));
}

LRESULT CALLBACK window_menu_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (window != main_window_handle || message != WM_SYSCOMMAND) {
        return previous_window_proc != nullptr
                   ? CallWindowProcW(previous_window_proc, window, message, wparam, lparam)
                   : DefWindowProcW(window, message, wparam, lparam);
    }
    for (std::size_t row = 0; row < entries.size(); ++row) {
        if (wparam == entries[row].command && window_menu_flags[row] && entries[row].action) {
            run_guarded(entries[row].action);
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

} // namespace t2k
