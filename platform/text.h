// Conversions between the program's UTF-16 text and UTF-8 (file names and output on POSIX, logs).
#pragma once

#include <string>
#include <string_view>

namespace t2k {

// What to_utf8 makes of a surrogate without its partner.
enum class LoneSurrogates {
    as_bytes,      // U+DC80..U+DCFF back into the byte it carries (see from_utf8), others U+FFFD
    as_replacement // every one as U+FFFD, as Windows encodes them
};

// Lossless both ways for whatever a POSIX system hands over: every byte of a sequence that is not
// valid UTF-8 becomes the lone surrogate U+DC80..U+DCFF (0xDC00 + byte), and to_utf8 turns such a
// surrogate back into that byte.
// What from_utf8 makes of bytes that are not valid UTF-8.
enum class InvalidUtf8 {
    as_bytes,      // each byte as U+DC80..U+DCFF, given back by to_utf8
    as_replacement // U+FFFD for each bad sequence, grouped as Windows groups them
};

std::string to_utf8(std::u16string_view text, LoneSurrogates lone = LoneSurrogates::as_bytes);
std::u16string from_utf8(std::string_view bytes, InvalidUtf8 invalid = InvalidUtf8::as_bytes);

// For literals and ASCII-only data.
std::u16string ascii(std::string_view text);

} // namespace t2k
