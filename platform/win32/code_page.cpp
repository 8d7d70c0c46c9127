// Code pages on Windows: the system's own conversions.
#include "platform/code_page.h"

#include <windows.h>

namespace t2k {

CodePage CodePage::system() {
    // The ANSI code page is read once, when the program first needs it.
    static const unsigned acp = GetACP();
    return CodePage(acp);
}

std::optional<CodePage> CodePage::from_number(unsigned number) {
    if (!IsValidCodePage(number)) {
        return std::nullopt;
    }
    return CodePage(number);
}

std::u16string CodePage::decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(number_, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(number_, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                        length);
    return text;
}

std::string CodePage::encode(std::u16string_view text) const {
    if (text.empty()) {
        return {};
    }
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(number_, 0, units, size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(number_, 0, units, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

bool CodePage::holds(std::u16string_view text) const {
    if (number_ == CP_UTF8 || text.empty()) {
        return true; // UTF-8 has a form for every character (and refuses the flag below)
    }
    BOOL used_default = FALSE;
    WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS,
                        reinterpret_cast<const wchar_t*>(text.data()),
                        static_cast<int>(text.size()), nullptr, 0, nullptr, &used_default);
    return !used_default;
}

} // namespace t2k
