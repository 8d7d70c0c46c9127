// RecordList: the framed records of one file, held as the bytes they will be written as.
#pragma once

#include "platform/code_page.h"

#include <string>
#include <string_view>

namespace t2k {

inline constexpr char16_t stx = 0x02;
inline constexpr char16_t etx = 0x03;
inline constexpr char16_t eot = 0x04;

class RecordList {
public:
    explicit RecordList(const CodePage& code_page) : code_page_(code_page) {}

    // Encodes the entry back into the code page its line was read in (so every input byte
    // comes out as it went in) and keeps it; bytes 0x0D and 0x0A are never written.
    void append(std::u16string_view entry);

    const std::string& bytes() const noexcept { return bytes_; }

private:
    CodePage code_page_;
    std::string bytes_;
};

} // namespace t2k
