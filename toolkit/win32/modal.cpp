// Modal display: switching the other windows off and on, and the nested message loop.
#include "toolkit/win32/modal.h"

#include "toolkit/win32/catch_all.h"
#include "toolkit/win32/message_loop.h"

#include <windows.h>

#include <vector>

namespace t2k {
namespace {

// Windows that are switched off while a modal form runs, switched on again in reverse order.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except) : except_(except) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::disable,
                          reinterpret_cast<LPARAM>(this));
    }
    ~DisabledWindows() {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            EnableWindow(*it, TRUE);
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK disable(HWND window, LPARAM self_pointer) {
        auto* self = reinterpret_cast<DisabledWindows*>(self_pointer);
        // A window not recorded would stay disabled: the enumeration stops at a failure.
        const bool done = run_guarded([&] {
            if (window != self->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
                self->windows_.push_back(window);
                EnableWindow(window, FALSE);
            }
        });
        return done ? TRUE : FALSE;
    }
    HWND except_;
    std::vector<HWND> windows_;
};

// Hands the form the flag the loop waits on, and takes it back on every path.
class ModalRun {
public:
    explicit ModalRun(Form& form) : form_(form) { form_.set_modal_flag(&closed_); }
    ~ModalRun() { form_.set_modal_flag(nullptr); }
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;
    bool closed() const noexcept { return closed_; }

private:
    Form& form_;
    bool closed_ = false;
};

} // namespace

void show_modal(Form& form) {
    bool quit_seen = false;
    {
        const ModalRun run(form);
        {
            const DisabledWindows others(form.handle());
            form.show();
            while (!run.closed() && IsWindow(form.handle())) {
                if (!process_next_message()) {
                    quit_seen = true;
                    break;
                }
            }
        } // the owner is enabled again before this form hides, or the focus would be lost
        form.hide();
    }
    if (quit_seen) {
        PostQuitMessage(0);
    }
}

} // namespace t2k
