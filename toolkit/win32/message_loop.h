// The event loop's one step, shared by the application's loop and every modal loop.
#pragma once

namespace t2k {

// Waits for one message and handles it: keyboard navigation for our forms (Tab, Shift+Tab, Enter
// on a button) and dispatch for everything else. False when WM_QUIT arrived; it is posted again so
// that every enclosing loop ends as well.
bool process_next_message();

// Handles every message already queued, without waiting. False when WM_QUIT was among them.
bool process_pending_messages();

} // namespace t2k
