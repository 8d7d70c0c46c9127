// exe_folder: the folder of the running executable, where the settings file lives.
#pragma once

#include <string>

namespace t2k {

// Taken once, on the first call; always ends in the native path delimiter.
const std::u16string& exe_folder();

} // namespace t2k
