// Conversions between the program's UTF-16 text and UTF-8 (file names and output on POSIX, logs).
#pragma once

#include <string>
#include <string_view>

namespace t2k {

std::string to_utf8(std::u16string_view text);
std::u16string from_utf8(std::string_view bytes);

// For literals and ASCII-only data.
std::u16string ascii(std::string_view text);

} // namespace t2k
