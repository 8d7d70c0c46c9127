// Wildcards in FILE arguments, for systems whose shells leave them to the program.
#pragma once

#include <string>
#include <vector>

namespace t2k {

// On Windows: the files whose names match the "*" and "?" of the argument's last component,
// sorted by name, each with the argument's folder part in front; the argument itself when it has
// no wildcard or nothing matches (then it is reported like a missing file). Elsewhere the shell
// has expanded them already: the argument itself.
std::vector<std::u16string> expand_wildcards(const std::u16string& argument);

} // namespace t2k
