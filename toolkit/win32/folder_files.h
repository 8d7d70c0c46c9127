// The files directly inside a folder, as a user dropping that folder expects them listed.
#pragma once

#include <string>
#include <vector>

namespace t2k {

// True when path names an existing folder (a drive root included).
bool is_folder(const std::u16string& path);

// The full paths of the files directly inside folder, sorted by name as Explorer sorts them
// without its numeric rule (ordinal, ignoring case, then exactly). Subfolders and the files Explorer hides by
// default (hidden or system) are left out; a folder that cannot be read gives none.
std::vector<std::u16string> files_in_folder(const std::u16string& folder);

} // namespace t2k
