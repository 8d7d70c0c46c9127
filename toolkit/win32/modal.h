// Modal display: a form shown with the program's other windows disabled, in a nested message loop
// that ends when the form closes.
#pragma once

#include "toolkit/win32/form.h"

namespace t2k {

// Shows the form modally and returns once it is closed. The other windows are enabled again
// before the form hides, so the focus goes back to them.
void show_modal(Form& form);

} // namespace t2k
