// LineReader: a Tovaro file as a sequence of lines, decoded or copied as bytes.
#pragma once

#include "convert/byte_room.h"
#include "convert/plain_run.h"
#include "platform/code_page.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace t2k {

// How much one refill reads: the window reads the file 128 bytes at a time, the command line in
// large blocks (with 128-byte reads the system calls would be most of its time).
enum class ReadMode { small_blocks, large_blocks };

class LineReader {
public:
    // Opens an existing file for reading; a failure is an IoError.
    LineReader(const std::u16string& name, const CodePage& code_page, ReadMode mode);
    // Reads a file already open (standard input, say).
    LineReader(InputFile file, const CodePage& code_page, ReadMode mode);

    // True when no byte is left or the next byte is the end-of-file mark; consumes nothing.
    bool at_end() {
        const int next = peek();
        return next == end_of_data || next == end_of_file_mark;
    }
    // The next line without its line end, decoded. Call only when at_end() is false.
    std::u16string read_line();
    // The next line's bytes, not decoded, in buffer (whose capacity is reused line after line).
    std::string_view read_line_bytes(std::string& buffer);
    // Copies the next line's bytes into room and consumes its line end; true once the line is
    // whole. False when room filled up first: call again with more room for the rest of the line.
    [[gnu::always_inline]] bool copy_line(ByteRoom& room, plain_run::Underscores underscores) {
        // The usual line lies in this block, ends in LF or CR LF and fits the room: it is done
        // here. Everything else goes on in copy_line_rest, which follows every rule.
        const std::uint8_t* const from = buffer_.get() + position_;
        const std::size_t available = filled_ - position_;
        const std::size_t copied = plain_run::copy(
            from, room.next, std::min(available, static_cast<std::size_t>(room.end - room.next)),
            underscores);
        room.next += copied;
        if (copied + 1 < available) {
            if (from[copied] == plain_run::lf) {
                position_ += copied + 1;
                return true;
            }
            if (from[copied] == plain_run::cr && from[copied + 1] == plain_run::lf) {
                position_ += copied + 2;
                return true;
            }
        }
        position_ += copied;
        return copy_line_rest(room, underscores);
    }
    void close();
    // The open input's identity (nothing for a pipe).
    std::optional<FileIdentity> input_identity() const { return file_.identity(); }

    static constexpr std::uint8_t end_of_file_mark = plain_run::end_of_file_mark;
    static constexpr std::size_t block_size = 128;
    static constexpr std::size_t large_block_size = 256 * 1024;
    static constexpr std::size_t read_size(ReadMode mode) {
        return mode == ReadMode::small_blocks ? block_size : large_block_size;
    }

private:
    static constexpr int end_of_data = -1;

    // The next unread byte, or end_of_data; refills the buffer when it is used up.
    int peek() { return position_ < filled_ ? buffer_[position_] : refill(); }
    // One read into the buffer; the next byte as peek gives it.
    int refill();
    // copy_line from wherever its fast part stopped: block ends, lone CRs, marks, the end of data.
    bool copy_line_rest(ByteRoom& room, plain_run::Underscores underscores);

    InputFile file_;
    CodePage code_page_;
    // Not cleared: a small file touches only the pages its bytes are read into.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t buffer_size_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool data_ended_ = false;
    std::string line_bytes_;
};

} // namespace t2k
