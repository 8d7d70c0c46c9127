// The files dropped on a window from the shell (WM_DROPFILES).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace t2k {

// The dropped paths in the order Windows reports them; releases the drop.
std::vector<std::u16string> take_dropped_files(HDROP drop);

} // namespace t2k
