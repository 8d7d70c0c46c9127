// UTF-8 <-> UTF-16 for the places where text leaves or enters the program as bytes.
#include "platform/text.h"

namespace t2k {
namespace {

constexpr char16_t escape_base = 0xDC00;

bool is_high_surrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool is_low_surrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// An undecodable byte carried through the text: U+DC80..U+DCFF.
bool is_escaped_byte(char32_t c) {
    return c >= escape_base + 0x80 && c <= escape_base + 0xFF;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// How many bytes Windows takes together as one U+FFFD when the bytes do not start a valid
// sequence: a lead byte and the continuation bytes that still fit it, or the whole rest when the
// sequence its lead byte announces runs past the end.
std::size_t invalid_utf8_length(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = lead < 0xC2   ? 1
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 1;
    if (length > bytes.size()) {
        return bytes.size();
    }
    std::size_t taken = 1;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80) {
            break;
        }
        taken = k + 1;
        // Overlong forms and surrogates show at the second byte, which goes with the lead.
        const bool bad_start = (lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) ||
                               (lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F);
        if (bad_start) {
            break;
        }
    }
    return taken;
}

// The length of the valid UTF-8 sequence at the start of bytes (1 to 4), or 0 when the first
// byte does not start one; its code point in code_point. Overlong forms, surrogates and values
// above U+10FFFF are not valid.
std::size_t utf8_sequence(std::string_view bytes, char32_t& code_point) {
    const auto b = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = b < 0x80   ? 1
                               : b < 0xC2 ? 0
                               : b < 0xE0 ? 2
                               : b < 0xF0 ? 3
                               : b < 0xF5 ? 4
                                          : 0;
    if (length == 0 || length > bytes.size()) {
        return 0;
    }
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        const auto t = static_cast<unsigned char>(bytes[k]);
        if ((t & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (t & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    code_point = c;
    return length;
}

void append_utf16(std::u16string& text, char32_t code_point) {
    if (code_point >= 0x10000) {
        code_point -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (code_point >> 10));
        text += static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
    } else {
        text += static_cast<char16_t>(code_point);
    }
}

} // namespace

std::string to_utf8(std::u16string_view text, LoneSurrogates lone) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (is_high_surrogate(c) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (lone == LoneSurrogates::as_bytes && is_escaped_byte(c)) {
            out += static_cast<char>(c - escape_base);
            continue;
        } else if (is_high_surrogate(c) || is_low_surrogate(c)) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        append_utf8(out, c);
    }
    return out;
}

std::u16string from_utf8(std::string_view bytes, InvalidUtf8 invalid) {
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t c = 0;
        std::size_t length = utf8_sequence(bytes, c);
        if (length == 0 && invalid == InvalidUtf8::as_bytes) {
            c = escape_base + static_cast<unsigned char>(bytes[0]);
            length = 1;
        } else if (length == 0) {
            c = 0xFFFD;
            length = invalid_utf8_length(bytes);
        }
        append_utf16(out, c);
        bytes.remove_prefix(length);
    }
    return out;
}

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace t2k
