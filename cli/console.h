// Console: where the command line's output and messages go, as text.
#pragma once

#include <string_view>

namespace t2k {

enum class Stream { out, err };

// Writes text to standard output or error: Unicode to a Windows console, UTF-8 elsewhere.
void write_text(Stream stream, std::u16string_view text);

} // namespace t2k
