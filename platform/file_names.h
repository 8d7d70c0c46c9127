// Names the file services make or refuse, written once for both systems so both are tested
// everywhere: the temporary name of an output, and the names Windows takes for devices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace t2k {

// A new name in the folder (given with its trailing delimiter, or empty for the current one) for
// an output's temporary file: "~t2k", the nonce in eight hex digits, ".tmp". It never ends in an
// output's extension, so no listing of outputs takes a left-over one for an output.
std::u16string temporary_name(std::u16string_view folder, std::uint32_t nonce);

// True when Windows takes the file name (without its folder) for a device in every folder: CON,
// PRN, AUX, NUL, COM0 to COM9 and LPT0 to LPT9 (with the superscripts 1, 2, 3 as well), in any
// case, alone or followed by blanks, or by a dot and anything.
bool is_device_name(std::u16string_view file_name);

} // namespace t2k
