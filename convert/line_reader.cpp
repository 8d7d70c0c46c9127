// The reader's line-end, end-of-file-mark and decoding rules.
#include "convert/line_reader.h"

namespace t2k {
namespace {
constexpr int cr = 0x0D;
constexpr int lf = 0x0A;
constexpr int end_of_data = -1;
} // namespace

LineReader::LineReader(const std::u16string& name, const CodePage& code_page)
    : file_(name), code_page_(code_page) {}

int LineReader::peek() {
    if (position_ == filled_) {
        if (data_ended_) {
            return end_of_data;
        }
        filled_ = file_.read(buffer_.data(), buffer_.size());
        position_ = 0;
        if (filled_ == 0) {
            data_ended_ = true;
            return end_of_data;
        }
    }
    return buffer_[position_];
}

bool LineReader::at_end() {
    const int next = peek();
    return next == end_of_data || next == end_of_file_mark;
}

std::u16string LineReader::read_line() {
    line_bytes_.clear();
    for (;;) {
        const int byte = peek();
        if (byte == end_of_data) {
            break;
        }
        ++position_;
        if (byte == end_of_file_mark || byte == lf) {
            // One mark ends the line and is consumed with it; the next line starts after it.
            break;
        }
        if (byte == cr) {
            const int next = peek();
            if (next == lf || next == end_of_file_mark) {
                ++position_;
                break;
            }
            if (next == end_of_data) {
                break;
            }
            continue; // a lone CR is dropped; the byte after it belongs to this line
        }
        line_bytes_ += static_cast<char>(byte);
        // Copy the run of ordinary bytes in this block at once.
        while (position_ < filled_) {
            const std::uint8_t b = buffer_[position_];
            if (b == cr || b == lf || b == end_of_file_mark) {
                break;
            }
            line_bytes_ += static_cast<char>(b);
            ++position_;
        }
    }
    return code_page_.decode(line_bytes_);
}

void LineReader::close() {
    file_.close();
}

} // namespace t2k
