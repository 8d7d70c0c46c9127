// The window class every form's window is of.
#pragma once

#include <windows.h>

namespace t2k {

// Registered on the first call with that procedure, with the program's icon and room for the
// dialog keys' bookkeeping; the same atom on every later call.
ATOM form_window_class(WNDPROC procedure);

} // namespace t2k
