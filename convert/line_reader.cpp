// The reader's line-end and end-of-file-mark rules, written once for every kind of line.
#include "convert/line_reader.h"

#include <algorithm>
#include <array>
#include <utility>

namespace t2k {
namespace {
using plain_run::cr;
using plain_run::lf;

constexpr std::size_t line_piece_size = 4096;
// Above this the bytes of a decoded line are let go once it is decoded.
constexpr std::size_t long_line_bytes = 64 * 1024;
} // namespace

LineReader::LineReader(const std::u16string& name, const CodePage& code_page, ReadMode mode)
    : LineReader(InputFile(name), code_page, mode) {}

LineReader::LineReader(InputFile file, const CodePage& code_page, ReadMode mode)
    : file_(std::move(file)), code_page_(code_page),
      buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(read_size(mode))),
      buffer_size_(read_size(mode)) {}

int LineReader::refill() {
    if (data_ended_) {
        return end_of_data;
    }
    filled_ = file_.read(buffer_.get(), buffer_size_);
    position_ = 0;
    if (filled_ == 0) {
        data_ended_ = true;
        return end_of_data;
    }
    return buffer_[0];
}

bool LineReader::copy_line_rest(ByteRoom& room, plain_run::Underscores underscores) {
    for (;;) {
        const std::size_t limit =
            std::min(filled_ - position_, static_cast<std::size_t>(room.end - room.next));
        const std::size_t copied =
            plain_run::copy(buffer_.get() + position_, room.next, limit, underscores);
        position_ += copied;
        room.next += copied;
        const int next = peek();
        if (next == end_of_data) {
            return true;
        }
        if (next == lf || next == end_of_file_mark) {
            // One mark ends the line and is consumed with it; the next line starts after it.
            ++position_;
            return true;
        }
        if (next == cr) {
            ++position_;
            const int after = peek();
            if (after == lf || after == end_of_file_mark) {
                ++position_;
                return true;
            }
            if (after == end_of_data) {
                return true;
            }
            continue; // a lone CR is dropped; the byte after it belongs to this line
        }
        if (room.next == room.end) {
            return false;
        }
        // the block was used up inside the line: go on with the next one
    }
}

std::string_view LineReader::read_line_bytes(std::string& buffer) {
    // Copied a piece at a time and appended: the buffer's memory is touched only as far as the
    // line goes, which matters for a line of many megabytes.
    buffer.clear();
    std::array<char, line_piece_size> piece;
    for (;;) {
        ByteRoom room{piece.data(), piece.data() + piece.size()};
        const bool whole = copy_line(room, plain_run::Underscores::kept);
        buffer.append(piece.data(), static_cast<std::size_t>(room.next - piece.data()));
        if (whole) {
            return buffer;
        }
    }
}

std::u16string LineReader::read_line() {
    std::u16string line = code_page_.decode(read_line_bytes(line_bytes_));
    if (line_bytes_.capacity() > long_line_bytes) {
        // A very long line's bytes are not kept beside its text and the records made from it.
        std::string().swap(line_bytes_);
    }
    return line;
}

void LineReader::close() {
    file_.close();
}

} // namespace t2k
