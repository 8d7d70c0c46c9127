// The running executable's full path, as the system reports it.
#pragma once

#include <string>

namespace t2k {

std::u16string executable_path();

} // namespace t2k
