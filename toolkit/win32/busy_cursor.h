// BusyCursor: the wait cursor over a form while a long command runs, restored on every way out.
#pragma once

#include "toolkit/win32/form.h"

namespace t2k {

// Sets the form's busy state for its lifetime and restores the one before it. BusyCursor(form)
// marks a command as running; BusyCursor(form, false) lifts that while the program waits for the
// user, as a message box does.
class BusyCursor {
public:
    explicit BusyCursor(Form* form, bool busy = true);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Form* form_;
    bool was_busy_;
};

} // namespace t2k
