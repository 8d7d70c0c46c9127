// RecordList: the framed records of one file, held as the bytes they will be written as.
#pragma once

#include "platform/code_page.h"

#include <string>
#include <string_view>
#include <vector>

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
    // Keeps a record whose bytes are already those of the code page: the framing bytes as they
    // are, then the line with every underscore as ETX.
    void append_bytes(std::string_view framing, std::string_view line);

    // The bytes in order, in chunks of chunk_size (the last one may be shorter): the list grows
    // without copying what it already holds.
    const std::vector<std::string>& chunks() const noexcept { return chunks_; }
    static constexpr std::size_t chunk_size = 1024 * 1024;

private:
    // Copies bytes to the end, over as many chunks as it takes.
    void copy_in(std::string_view bytes, bool underscores_as_etx);

    CodePage code_page_;
    std::vector<std::string> chunks_;
};

} // namespace t2k
