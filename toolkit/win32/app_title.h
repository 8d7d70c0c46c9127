// The application title: the caption of every message box.
#pragma once

#include <string>
#include <string_view>

namespace t2k {

// The running executable's file name without its folder, cut at its first dot, every character
// after the first in lower case (Tovaro2KORVANE.exe gives "Tovaro2korvane"); taken once.
const std::u16string& application_title();

// The same rule for any executable path.
std::u16string title_from_executable_path(std::u16string_view path);

} // namespace t2k
