// PathStyle: the path rules (file-name part, folder part, trailing delimiter) as a value.
#pragma once

#include <string>
#include <string_view>

namespace t2k {

struct PathStyle {
    std::u16string_view delimiters; // every character that ends a folder part
    char16_t appended;              // what "with trailing delimiter" appends

    static const PathStyle windows; // '\' and ':' delimit, '\' is appended; '/' is ordinary
    static const PathStyle posix;   // '/' delimits and is appended
    static const PathStyle& native();

    // Everything after the last delimiter (the whole text when there is none).
    std::u16string_view file_name_part(std::u16string_view path) const;
    // Everything up to and including the last delimiter (empty when there is none).
    std::u16string_view folder_part(std::u16string_view path) const;
    // The folder with the appended delimiter unless it already ends in one; "" gives the delimiter.
    std::u16string with_trailing_delimiter(std::u16string_view folder) const;
};

} // namespace t2k
