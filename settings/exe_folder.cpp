// exe_folder: the folder part of the executable's path, taken on first use.
#include "settings/exe_folder.h"

#include "platform/path_style.h"
#include "platform/process.h"

namespace t2k {

const std::u16string& exe_folder() {
    static const std::u16string folder = [] {
        const PathStyle& style = PathStyle::native();
        return style.with_trailing_delimiter(style.folder_part(executable_path()));
    }();
    return folder;
}

} // namespace t2k
