// The Windows and POSIX path rules.
#include "platform/path_style.h"

namespace t2k {

const PathStyle PathStyle::windows{u"\\:", u'\\'};
const PathStyle PathStyle::posix{u"/", u'/'};

const PathStyle& PathStyle::native() {
#ifdef _WIN32
    return windows;
#else
    return posix;
#endif
}

std::u16string_view PathStyle::file_name_part(std::u16string_view path) const {
    const auto last = path.find_last_of(delimiters);
    return last == std::u16string_view::npos ? path : path.substr(last + 1);
}

std::u16string_view PathStyle::folder_part(std::u16string_view path) const {
    const auto last = path.find_last_of(delimiters);
    return last == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, last + 1);
}

std::u16string PathStyle::with_trailing_delimiter(std::u16string_view folder) const {
    std::u16string result(folder);
    if (result.empty() || result.back() != appended) {
        result += appended;
    }
    return result;
}

} // namespace t2k
