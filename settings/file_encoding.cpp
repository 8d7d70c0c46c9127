// Byte-order marks, the Unicode forms of a settings file, and the rewrite of an ANSI one.
#include "settings/file_encoding.h"

#include "settings/file_bytes.h"
#include "settings/settings_write_error.h"

#include <algorithm>

namespace t2k {
namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16le_mark = "\xFF\xFE";
constexpr std::string_view utf16be_mark = "\xFE\xFF";

std::string_view mark(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::utf8:
        return utf8_mark;
    case FileEncoding::utf16le:
        return utf16le_mark;
    case FileEncoding::utf16be:
        return utf16be_mark;
    case FileEncoding::ansi:
        break;
    }
    return {};
}

std::u16string utf16_text(std::string_view bytes, bool big_endian) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

std::string utf16_bytes(std::u16string_view text, bool big_endian) {
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += big_endian ? high : low;
        bytes += big_endian ? low : high;
    }
    return bytes;
}

bool is_ascii(std::u16string_view text) {
    return std::ranges::all_of(text, [](char16_t c) { return c < 0x80; });
}

// Bytes beyond ASCII that form valid UTF-8 throughout: a file written as UTF-8 without a mark.
// Valid exactly when decoding and encoding again gives the same bytes, as anything invalid
// decodes to U+FFFD.
bool is_utf8_beyond_ascii(std::string_view bytes) {
    const bool beyond_ascii =
        std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const CodePage utf8 = utf8_code_page();
    return beyond_ascii && utf8.encode(utf8.decode(bytes)) == bytes;
}

} // namespace

FileEncoding file_encoding(std::string_view bytes) {
    for (const FileEncoding encoding :
         {FileEncoding::utf8, FileEncoding::utf16le, FileEncoding::utf16be}) {
        if (bytes.starts_with(mark(encoding))) {
            return encoding;
        }
    }
    return FileEncoding::ansi;
}

CodePage utf8_code_page() {
    return *CodePage::from_number(65001);
}

std::string unicode_file_text(std::string_view bytes, FileEncoding encoding) {
    bytes.remove_prefix(mark(encoding).size());
    if (encoding == FileEncoding::utf8) {
        return std::string(bytes);
    }
    return utf8_code_page().encode(utf16_text(bytes, encoding == FileEncoding::utf16be));
}

std::string unicode_file_bytes(std::string_view utf8_text, FileEncoding encoding) {
    std::string bytes(mark(encoding));
    if (encoding == FileEncoding::utf8) {
        return bytes.append(utf8_text);
    }
    return bytes +
           utf16_bytes(utf8_code_page().decode(utf8_text), encoding == FileEncoding::utf16be);
}

void make_unicode_for(const std::u16string& path,
                      std::initializer_list<std::u16string_view> texts) {
    // ASCII is the same in every encoding the services write.
    if (std::ranges::all_of(texts, is_ascii)) {
        return;
    }
    const std::optional<std::string> bytes = read_existing_file_bytes(path);
    if (!bytes) {
        throw SettingsWriteError(path);
    }
    if (file_encoding(*bytes) != FileEncoding::ansi) {
        return;
    }
    const CodePage code_page = CodePage::system();
    const bool utf8_without_mark =
        code_page.number() != utf8_code_page().number() && is_utf8_beyond_ascii(*bytes);
    if (!utf8_without_mark && std::ranges::all_of(texts, [&](std::u16string_view text) {
            return code_page.holds(text);
        })) {
        return;
    }
    // Refused before anything changes, as the write that follows would be.
    if (!may_write_file(path)) {
        throw SettingsWriteError(path);
    }
    if (utf8_without_mark) {
        replace_file_bytes(path, unicode_file_bytes(*bytes, FileEncoding::utf8));
        return;
    }
    const std::u16string text = code_page.decode(*bytes);
    if (code_page.encode(text) != *bytes) {
        throw SettingsWriteError(path);
    }
    replace_file_bytes(path,
                       unicode_file_bytes(utf8_code_page().encode(text), FileEncoding::utf16le));
}

} // namespace t2k
