// The program's icon: the first icon group of the exe, as Explorer shows it, at a chosen size.
#pragma once

#include "toolkit/win32/handles.h"

#include <windows.h>

namespace t2k {

// The exe's first icon group at size x size pixels (the image of that size when the group has
// one), or an empty handle when the exe carries no icon.
IconHandle load_program_icon(int size);

} // namespace t2k
