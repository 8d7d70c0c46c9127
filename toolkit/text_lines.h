// The lines of a multi-line text box's text, as its users see them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// The text split at its line breaks (CR LF, CR or LF): empty text has no lines, a final line
// break adds no line, and a blank line in the middle is a line of its own.
std::vector<std::u16string> split_lines(std::u16string_view text);

// The text with one more line, ended by a line break (one goes first when the text does not end
// in one). Taken by value, so that appending many lines in turn reuses one buffer.
std::u16string with_line_appended(std::u16string text, std::u16string_view line);

} // namespace t2k
