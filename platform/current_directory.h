// The process's current directory as an absolute path.
#pragma once

#include <string>

namespace t2k {

std::u16string current_directory();

} // namespace t2k
