// The framing rules of a KORVANE file, written once for both ways of building records: as text
// decoded from any code page, and as the bytes of a single-byte code page.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace t2k {

inline constexpr char16_t stx = 0x02;
inline constexpr char16_t etx = 0x03;
inline constexpr char16_t eot = 0x04;
// Every underscore of a line is written as ETX.
inline constexpr char16_t underscore = u'_';

inline constexpr std::u16string_view start_marker = u"\u00ABp2";
// A payload line that is exactly this produces no record.
inline constexpr std::u16string_view skip_line = u"p2";

// What stands before a record's line: STX before the first record, EOT STX before every later
// one. The list ends with closing_entry alone.
constexpr std::u16string_view record_opening(bool first_record) {
    return first_record ? u"\u0002" : u"\u0004\u0002";
}
inline constexpr std::u16string_view closing_entry = u"\u0004";

inline void underscores_to_etx(std::u16string& line) {
    std::replace(line.begin(), line.end(), underscore, etx);
}

} // namespace t2k
