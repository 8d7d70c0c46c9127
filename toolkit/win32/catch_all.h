// The application's one catch-all: every handler, window procedure and callback runs under it, so
// no C++ exception ever crosses a Win32 frame and an escaped error becomes the error box.
#pragma once

#include <exception>

namespace t2k {

// Shows the error box for the error (or nothing for Abort); never throws.
void report_error(std::exception_ptr error) noexcept;

// Runs the action; an error escaping it abandons the rest of it and is reported.
// True when the action ran to its end.
template <class Action> bool run_guarded(Action&& action) noexcept {
    try {
        action();
        return true;
    } catch (...) {
        report_error(std::current_exception());
        return false;
    }
}

} // namespace t2k
