// The lines of a multi-line text box's text, as its users see them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// The text split at its line breaks (CR LF, CR or LF): empty text has no lines, a final line
// break adds no line, and a blank line in the middle is a line of its own.
std::vector<std::u16string> split_lines(std::u16string_view text);

// What appending a line adds to a text whose last character is last (0 for an empty text): a line
// break when the text does not end in one, then the line, ended by a line break.
std::u16string line_to_append(char16_t last, std::u16string_view line);

} // namespace t2k
