// Code pages on POSIX: Windows-1252 from our own table, any other through iconv.
#include "platform/code_page.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <string>

namespace t2k {
namespace {

constexpr unsigned windows_1252 = 1252;

// 0x80..0x9F of Windows-1252; the five bytes it leaves undefined map to U+0081 ... U+009D as
// Windows maps them, so that every byte survives the round trip.
constexpr std::array<char16_t, 32> cp1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t decode_1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? cp1252_high[byte - 0x80] : char16_t(byte);
}

char encode_1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < cp1252_high.size(); ++i) {
        if (cp1252_high[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

constexpr unsigned utf_8 = 65001;

std::string iconv_name(unsigned number) {
    return number == utf_8 ? "UTF-8" : "CP" + std::to_string(number);
}

// Converts with iconv, handing each converted piece to sink; a sequence it cannot convert becomes
// the replacement and is skipped. Pieces end between whole characters.
template <typename Sink>
void convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
             std::size_t unit, Sink&& sink) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return;
    }
    std::string chunk(4096, '\0');
    auto* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char* dst = chunk.data();
        std::size_t room = chunk.size();
        const std::size_t r = iconv(cd, &src, &left, &dst, &room);
        sink(std::string_view(chunk.data(), chunk.size() - room));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            sink(replacement);
            const std::size_t skip = std::min(unit, left);
            src += skip;
            left -= skip;
        }
    }
    iconv_close(cd);
}

} // namespace

CodePage CodePage::system() {
    return CodePage(windows_1252);
}

std::optional<CodePage> CodePage::from_number(unsigned number) {
    if (number == windows_1252) {
        return CodePage(number);
    }
    iconv_t cd = iconv_open("UTF-16LE", iconv_name(number).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    iconv_close(cd);
    return CodePage(number);
}

std::u16string CodePage::decode(std::string_view bytes) const {
    if (number_ == windows_1252) {
        std::u16string text(bytes.size(), u'\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            text[i] = decode_1252(static_cast<unsigned char>(bytes[i]));
        }
        return text;
    }
    // Straight into the text, so a long line has no second copy as UTF-16 bytes.
    std::u16string text;
    text.reserve(bytes.size());
    convert("UTF-16LE", iconv_name(number_).c_str(), bytes, std::string_view("\xFD\xFF", 2), 1,
            [&text](std::string_view utf16) {
                for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
                    text += static_cast<char16_t>(static_cast<unsigned char>(utf16[i]) |
                                                  (static_cast<unsigned char>(utf16[i + 1]) << 8));
                }
            });
    return text;
}

std::string CodePage::encode(std::u16string_view text) const {
    if (number_ == windows_1252) {
        std::string bytes(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            bytes[i] = encode_1252(text[i]);
        }
        return bytes;
    }
    std::string utf16(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        utf16[2 * i] = static_cast<char>(text[i] & 0xFF);
        utf16[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    std::string out;
    convert(iconv_name(number_).c_str(), "UTF-16LE", utf16, "?", 2,
            [&out](std::string_view piece) { out += piece; });
    return out;
}

// Our conversions replace what a code page lacks and never pick a look-alike, so a text is held
// exactly when it comes back unchanged.
bool CodePage::holds(std::u16string_view text) const {
    return decode(encode(text)) == text;
}

} // namespace t2k
