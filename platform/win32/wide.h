// The program's UTF-16 text seen as the wide strings of the Win32 API (the same 16-bit units).
#pragma once

#include <string>

namespace t2k {

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string from_wide(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

inline std::u16string from_wide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

} // namespace t2k
