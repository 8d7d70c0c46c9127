// The UTF-16LE form of a settings file, and the one-time rewrite of an ANSI file into it.
#include "settings/utf16_file.h"

#include "platform/code_page.h"
#include "settings/file_bytes.h"
#include "settings/settings_write_error.h"

#include <algorithm>

namespace t2k {
namespace {

constexpr std::string_view byte_order_mark = "\xFF\xFE";

} // namespace

bool is_utf16_file(std::string_view bytes) {
    return bytes.starts_with(byte_order_mark);
}

std::u16string utf16_file_text(std::string_view bytes) {
    bytes.remove_prefix(byte_order_mark.size());
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

std::string utf16_file_bytes(std::u16string_view text) {
    std::string bytes(byte_order_mark);
    bytes.reserve(bytes.size() + 2 * text.size());
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void make_utf16_for(const std::u16string& path, std::initializer_list<std::u16string_view> texts) {
    const CodePage code_page = CodePage::system();
    if (std::ranges::all_of(texts,
                            [&](std::u16string_view text) { return code_page.holds(text); })) {
        return;
    }
    const std::string bytes = read_file_bytes(path);
    if (is_utf16_file(bytes)) {
        return;
    }
    // Refused before anything changes, as the write that follows would be.
    if (!may_write_file(path)) {
        throw SettingsWriteError(path);
    }
    replace_file_bytes(path, utf16_file_bytes(code_page.decode(bytes)));
}

} // namespace t2k
