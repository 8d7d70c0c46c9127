// LineReader: a Tovaro file as a sequence of decoded text lines.
#pragma once

#include "platform/code_page.h"
#include "platform/files.h"

#include <array>
#include <cstdint>
#include <string>

namespace t2k {

class LineReader {
public:
    // Opens an existing file for reading; a failure is an IoError.
    LineReader(const std::u16string& name, const CodePage& code_page);

    // True when no byte is left or the next byte is the end-of-file mark; consumes nothing.
    bool at_end();
    // The next line without its line end, decoded. Call only when at_end() is false.
    std::u16string read_line();
    void close();

    static constexpr std::uint8_t end_of_file_mark = 0x1A;
    static constexpr std::size_t block_size = 128;

private:
    // The next unread byte, or -1 at the end of the data; refills the buffer with one read.
    int peek();

    InputFile file_;
    CodePage code_page_;
    std::array<std::uint8_t, block_size> buffer_{};
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool data_ended_ = false;
    std::string line_bytes_;
};

} // namespace t2k
