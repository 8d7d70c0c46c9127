// The temporary names of outputs and the device names of Windows.
#include "platform/file_names.h"

#include <array>

namespace t2k {

std::u16string temporary_name(std::u16string_view folder, std::uint32_t nonce) {
    std::u16string name(folder);
    name += u"~t2k";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name += u"0123456789abcdef"[(nonce >> shift) & 0xF];
    }
    return name + u".tmp";
}

namespace {

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool equal_ignoring_case(std::u16string_view text, std::u16string_view upper_case) {
    if (text.size() != upper_case.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != upper_case[i]) {
            return false;
        }
    }
    return true;
}

bool is_port_number(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3';
}

} // namespace

bool is_device_name(std::u16string_view file_name) {
    std::u16string_view stem = file_name.substr(0, file_name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') {
        stem.remove_suffix(1);
    }
    constexpr std::array<std::u16string_view, 4> plain = {u"CON", u"PRN", u"AUX", u"NUL"};
    for (const std::u16string_view device : plain) {
        if (equal_ignoring_case(stem, device)) {
            return true;
        }
    }
    return stem.size() == 4 && is_port_number(stem[3]) &&
           (equal_ignoring_case(stem.substr(0, 3), u"COM") ||
            equal_ignoring_case(stem.substr(0, 3), u"LPT"));
}

} // namespace t2k
