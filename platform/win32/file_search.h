// Listing the files a search pattern matches (a folder's "*", or a command line's wildcard) with
// the system's own directory search, in one order.
#pragma once

#include <string>
#include <vector>

namespace t2k {

// Which of the files found a listing keeps.
enum class FoundFiles {
    all,   // every file
    shown, // without those Explorer hides by default (hidden or system)
};

// The names (without their folder) of the files, never folders, that `pattern` matches, sorted
// as Explorer and dir sort plain names: letter case aside, then exactly. A pattern that matches
// nothing, or a folder that cannot be read, gives none.
std::vector<std::u16string> find_file_names(const std::u16string& pattern, FoundFiles which);

} // namespace t2k
