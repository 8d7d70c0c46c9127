// Code pages on POSIX, giving the bytes Windows gives: single-byte code pages through a table
// built once from iconv (each byte on its own, so no converter state carries over), with the
// values Windows gives for the bytes a code page leaves undefined; UTF-8 with Windows' rule for
// sequences that are not valid.
#include "platform/code_page.h"

#include "platform/text.h"

#include <algorithm>
#include <array>
#include <iconv.h>
#include <string>
#include <unordered_map>

namespace t2k {

struct CodePage::Table {
    std::array<char16_t, 256> to_unicode{};
    std::unordered_map<char16_t, char> from_unicode;
};

namespace {

constexpr unsigned windows_1252 = 1252;
constexpr unsigned utf_8 = 65001;

// The Windows code pages whose numbers name the same table in iconv.
constexpr std::array<unsigned, 24> single_byte_code_pages = {
    437, 737, 775, 850,  852,  855,  857,  860,  861,  862,  863,  865,
    866, 869, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

// 0x80..0x9F of Windows-1252, kept here so that the default code page needs no iconv module.
constexpr std::array<char16_t, 32> cp1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// What Windows gives for the bytes iconv leaves undefined: U+0080..U+009F for 0x80..0x9F, these
// others private-use characters (and one Hebrew point iconv lacks); either way every byte
// survives the round trip.
struct WindowsOnly {
    unsigned code_page;
    unsigned char first_byte;
    unsigned char last_byte;
    char16_t first_character;
};
constexpr std::array<WindowsOnly, 14> windows_only = {{{857, 0xD5, 0xD5, 0xF8BB},
                                                       {857, 0xE7, 0xE7, 0xF8BC},
                                                       {857, 0xF2, 0xF2, 0xF8BD},
                                                       {874, 0xDB, 0xDE, 0xF8C1},
                                                       {874, 0xFC, 0xFF, 0xF8C5},
                                                       {1253, 0xAA, 0xAA, 0xF8F9},
                                                       {1253, 0xD2, 0xD2, 0xF8FA},
                                                       {1253, 0xFF, 0xFF, 0xF8FB},
                                                       {1255, 0xCA, 0xCA, 0x05BA},
                                                       {1255, 0xD9, 0xDF, 0xF88D},
                                                       {1255, 0xFB, 0xFC, 0xF894},
                                                       {1255, 0xFF, 0xFF, 0xF896},
                                                       {1257, 0xA1, 0xA1, 0xF8FC},
                                                       {1257, 0xA5, 0xA5, 0xF8FD}}};

char16_t undefined_byte(unsigned code_page, unsigned char byte) {
    for (const WindowsOnly& range : windows_only) {
        if (range.code_page == code_page && byte >= range.first_byte && byte <= range.last_byte) {
            return static_cast<char16_t>(range.first_character + (byte - range.first_byte));
        }
    }
    return byte;
}

// One byte through iconv, the converter's pending state flushed; nothing when iconv refuses it
// or makes more than one character of it.
std::optional<char16_t> iconv_byte(iconv_t cd, unsigned char byte) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    char in = static_cast<char>(byte);
    char out[8] = {};
    char* src = &in;
    char* dst = out;
    std::size_t left = 1;
    std::size_t room = sizeof out;
    if (iconv(cd, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &dst, &room) == static_cast<std::size_t>(-1) ||
        sizeof out - room != 2) {
        return std::nullopt;
    }
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                 (static_cast<unsigned char>(out[1]) << 8));
}

// The table to Unicode: from iconv, or for Windows-1252 from the list above.
std::optional<std::array<char16_t, 256>> to_unicode_table(unsigned number) {
    std::array<char16_t, 256> table{};
    if (number == windows_1252) {
        for (unsigned b = 0; b < 256; ++b) {
            table[b] = b >= 0x80 && b < 0xA0 ? cp1252_high[b - 0x80] : char16_t(b);
        }
        return table;
    }
    iconv_t cd = iconv_open("UTF-16LE", ("CP" + std::to_string(number)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    for (unsigned b = 0; b < 256; ++b) {
        table[b] = iconv_byte(cd, static_cast<unsigned char>(b))
                       .value_or(undefined_byte(number, static_cast<unsigned char>(b)));
    }
    iconv_close(cd);
    return table;
}

// Both tables, when every byte gives a character of its own (so the round trip holds).
std::shared_ptr<const CodePage::Table> single_byte_table(unsigned number) {
    const auto to_unicode = to_unicode_table(number);
    if (!to_unicode) {
        return nullptr;
    }
    auto table = std::make_shared<CodePage::Table>();
    table->to_unicode = *to_unicode;
    for (unsigned b = 0; b < 256; ++b) {
        if (!table->from_unicode.emplace(table->to_unicode[b], static_cast<char>(b)).second) {
            return nullptr;
        }
    }
    return table;
}

} // namespace

CodePage CodePage::system() {
    return *from_number(windows_1252);
}

std::optional<CodePage> CodePage::from_number(unsigned number) {
    if (number == utf_8) {
        return CodePage(number);
    }
    if (std::find(single_byte_code_pages.begin(), single_byte_code_pages.end(), number) ==
        single_byte_code_pages.end()) {
        return std::nullopt;
    }
    auto table = single_byte_table(number);
    if (!table) {
        return std::nullopt;
    }
    return CodePage(number, std::move(table));
}

std::u16string CodePage::decode(std::string_view bytes) const {
    if (!table_) {
        return from_utf8(bytes, InvalidUtf8::as_replacement);
    }
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = table_->to_unicode[static_cast<unsigned char>(bytes[i])];
    }
    return text;
}

std::string CodePage::encode(std::u16string_view text) const {
    if (!table_) {
        return to_utf8(text, LoneSurrogates::as_replacement);
    }
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto found = table_->from_unicode.find(text[i]);
        bytes[i] = found == table_->from_unicode.end() ? '?' : found->second;
    }
    return bytes;
}

// Our conversions replace what a code page lacks and never pick a look-alike, so a text is held
// exactly when it comes back unchanged.
bool CodePage::holds(std::u16string_view text) const {
    return decode(encode(text)) == text;
}

} // namespace t2k
