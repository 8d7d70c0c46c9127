// Code pages on Windows: the system's own conversions.
#include "platform/code_page.h"

#include "platform/error.h"

#include <windows.h>

#include <limits>

namespace t2k {
namespace {

// The system's conversions count in int: text longer than that is refused as a whole rather than
// cut, and so is text whose result would be (the system then converts nothing).
[[noreturn]] void refuse_too_long() {
    throw Error(u"Text too long to convert: 2 GiB or more");
}

int counted(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        refuse_too_long();
    }
    return static_cast<int>(size);
}

} // namespace

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
    const int size = counted(bytes.size());
    const int length = MultiByteToWideChar(number_, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        refuse_too_long();
    }
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
    const int size = counted(text.size());
    const int length = WideCharToMultiByte(number_, 0, units, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        refuse_too_long();
    }
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
                        reinterpret_cast<const wchar_t*>(text.data()), counted(text.size()),
                        nullptr, 0, nullptr, &used_default);
    return !used_default;
}

} // namespace t2k
