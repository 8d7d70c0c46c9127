// The window-menu extension: the program's entries at the end of the main window's window menu,
// and the routing of the About entry to the About window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

namespace t2k {

struct WindowMenuEntry {
    std::u16string_view keyword;
    std::u16string_view text;
    UINT command;
    void (*action)() = nullptr; // what choosing the entry does beyond the default; may be none
};

// The entry table, in the order its rows are tested and added.
std::span<const WindowMenuEntry> window_menu_entries();
inline constexpr UINT about_command = 1025;

// Hooks the main window and appends a separator, then every row whose keyword the lower-cased
// keywords contain (A to Z only are lowered), in table order.
void add_window_menu(std::u16string_view keywords);
// The same for a given window, which then counts as the main window (tests use a window of
// their own).
void add_window_menu(HWND main_window, std::u16string_view keywords);

// Saves the main window's window procedure and puts window_menu_proc in its place.
void hook_window_proc();
void hook_window_proc(HWND main_window);

// The main window's system commands go to DefWindowProcW, an added entry's command first running
// its row's action (the About entry shows the About window modally); every other message goes to
// the saved procedure.
LRESULT CALLBACK window_menu_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Whether that row of the table has been added.
bool window_menu_flag(std::size_t row);

} // namespace t2k
