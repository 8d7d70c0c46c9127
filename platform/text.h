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
std::string to_utf8(std::u16string_view text, LoneSurrogates lone = LoneSurrogates::as_bytes);
std::u16string from_utf8(std::string_view bytes);

// The length of the valid UTF-8 sequence at the start of bytes (1 to 4), or 0 when the first
// byte does not start one; its code point in code_point. Overlong forms, surrogates and values
// above U+10FFFF are not valid.
std::size_t utf8_sequence(std::string_view bytes, char32_t& code_point);
// Appends the code point as UTF-16 (a pair above U+FFFF).
void append_utf16(std::u16string& text, char32_t code_point);

// For literals and ASCII-only data.
std::u16string ascii(std::string_view text);

} // namespace t2k
