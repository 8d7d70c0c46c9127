// The main window's layout: its caption, client size and controls in 96-DPI units.
#pragma once

#include "toolkit/layout.h"

namespace t2k {

const FormLayout& main_form_layout();

} // namespace t2k
