// LineReader: a Tovaro file as a sequence of decoded text lines.
#pragma once

#include "platform/code_page.h"
#include "platform/files.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

class LineReader {
public:
    // Opens an existing file for reading; a failure is an IoError. Each refill is one read of
    // read_size bytes (the window reads in blocks of block_size; the command line in larger ones).
    LineReader(const std::u16string& name, const CodePage& code_page,
               std::size_t read_size = block_size);
    // Reads a file already open (standard input, say).
    LineReader(InputFile file, const CodePage& code_page, std::size_t read_size);

    // True when no byte is left or the next byte is the end-of-file mark; consumes nothing.
    bool at_end();
    // The next line without its line end, decoded. Call only when at_end() is false.
    std::u16string read_line();
    // The same line's bytes, not decoded; valid until the next call on this reader.
    std::string_view read_line_bytes();
    void close();

    static constexpr std::uint8_t end_of_file_mark = 0x1A;
    static constexpr std::size_t block_size = 128;

private:
    // The next unread byte, or -1 at the end of the data; refills the buffer with one read.
    int peek();

    InputFile file_;
    CodePage code_page_;
    std::vector<std::uint8_t> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool data_ended_ = false;
    std::string line_bytes_;
};

} // namespace t2k
