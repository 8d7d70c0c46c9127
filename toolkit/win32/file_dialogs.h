// The shell's common item dialog as a multi-select file chooser and as a folder chooser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// A file chooser that lives as long as its window and keeps its results between uses: the chosen
// files and its file name (the first chosen file), replaced by a successful choice only.
class OpenFilesDialog {
public:
    // Several files may be chosen; no filter, no title, no starting folder, and names typed in
    // need not exist. Opens with the file name in its name box. True when the user confirmed.
    bool execute(HWND owner);

    const std::vector<std::u16string>& files() const noexcept { return files_; }
    const std::u16string& file_name() const noexcept { return file_name_; }

private:
    std::vector<std::u16string> files_;
    std::u16string file_name_;
};

// One folder, in a chooser made for this use only; the folder's full path as the system reports
// it (its display name when it has none), or nothing when the user cancels.
std::optional<std::u16string> pick_folder(HWND owner, std::u16string_view title,
                                          std::u16string_view root);

} // namespace t2k
