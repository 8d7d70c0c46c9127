// The names of a --files-from list: one per line, UTF-8 with or without a byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Splits the list's bytes at LF (a CR before it is dropped) and decodes each line as UTF-8,
// carrying bytes that are not valid UTF-8 as from_utf8 does. A leading byte-order mark is
// skipped, and so are lines that are empty or hold only blanks and tabs; other lines are kept as
// they are, blanks at their ends included.
std::vector<std::u16string> parse_name_list(std::string_view bytes);

} // namespace t2k
