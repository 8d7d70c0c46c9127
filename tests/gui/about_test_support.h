// Helpers for the About window's tests: pumping messages for a while, a plain test form, and
// reading a window menu's items.
#pragma once

#include "toolkit/win32/form.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace t2k::about_test {

// Handles messages (timers included) for about this long, or until `done` says so.
void pump_for(DWORD milliseconds, const std::function<bool()>& done = {});

// A top-level form with no controls, standing in for a main window.
class TestForm : public Form {
public:
    TestForm();
    int closes = 0;

protected:
    void FormClose(CloseAction& action) override {
        ++closes;
        action = CloseAction::hide;
    }
};

struct MenuItem {
    UINT command;
    std::u16string text;
    bool separator;
    bool operator==(const MenuItem&) const = default;
};
std::vector<MenuItem> window_menu_items(HWND window);

// Runs `step` once, from inside whatever message loop runs `after` milliseconds from now
// (a modal one, say). One at a time.
void run_later(DWORD after, std::function<void()> step);

} // namespace t2k::about_test
