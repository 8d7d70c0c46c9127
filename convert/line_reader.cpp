// The reader's line-end, end-of-file-mark and decoding rules.
#include "convert/line_reader.h"

#include "convert/byte_words.h"

namespace t2k {
namespace {
constexpr int cr = 0x0D;
constexpr int lf = 0x0A;
constexpr int end_of_data = -1;

// CR, LF and the end-of-file mark are all below 0x20: the scan for a line end skips eight bytes
// at a time to the first such byte; other control bytes are rare enough to be looked at one by one.
constexpr std::uint8_t control_limit = 0x20;
static_assert(cr < control_limit && lf < control_limit &&
              LineReader::end_of_file_mark < control_limit);

// Above this the bytes of a line are let go once it is decoded.
constexpr std::size_t long_line_bytes = 64 * 1024;
} // namespace

LineReader::LineReader(const std::u16string& name, const CodePage& code_page, std::size_t read_size)
    : LineReader(InputFile(name), code_page, read_size) {}

LineReader::LineReader(InputFile file, const CodePage& code_page, std::size_t read_size)
    : file_(std::move(file)), code_page_(code_page), buffer_(read_size) {}

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
    std::u16string line = code_page_.decode(read_line_bytes());
    if (line_bytes_.capacity() > long_line_bytes) {
        // A very long line's bytes are not kept beside its text and the records made from it.
        std::string().swap(line_bytes_);
    }
    return line;
}

std::string_view LineReader::read_line_bytes() {
    line_bytes_.clear();
    for (;;) {
        // The run of ordinary bytes up to a line end or the end of this block.
        const std::size_t run_start = position_;
        while (position_ + 8 <= filled_) {
            const unsigned offset =
                byte_words::first_byte_below(byte_words::load(&buffer_[position_]), control_limit);
            position_ += offset;
            if (offset < 8) {
                break;
            }
        }
        while (position_ < filled_) {
            const std::uint8_t b = buffer_[position_];
            if (b == cr || b == lf || b == end_of_file_mark) {
                break;
            }
            ++position_;
        }
        const std::string_view run(reinterpret_cast<const char*>(buffer_.data()) + run_start,
                                   position_ - run_start);
        // A line that ends inside the block it started in is handed out where it lies.
        const auto line = [&]() -> std::string_view {
            if (line_bytes_.empty()) {
                return run;
            }
            line_bytes_.append(run);
            return line_bytes_;
        };
        if (position_ < filled_) {
            const std::uint8_t byte = buffer_[position_];
            if (byte == lf || byte == end_of_file_mark) {
                // One mark ends the line and is consumed with it; the next line starts after it.
                ++position_;
                return line();
            }
            if (position_ + 1 < filled_) {
                const std::uint8_t next = buffer_[position_ + 1];
                if (next == lf || next == end_of_file_mark) {
                    position_ += 2;
                    return line();
                }
                // a lone CR is dropped; the byte after it belongs to this line
                line_bytes_.append(run);
                ++position_;
                continue;
            }
        }
        // The run reaches the end of the block, or a CR is its last byte: keep the run and look
        // at what the next refill brings.
        line_bytes_.append(run);
        if (position_ < filled_) {
            ++position_; // the CR
            const int next = peek();
            if (next == lf || next == end_of_file_mark) {
                ++position_;
                return line_bytes_;
            }
            if (next == end_of_data) {
                return line_bytes_;
            }
            continue; // a lone CR is dropped
        }
        if (peek() == end_of_data) {
            return line_bytes_;
        }
    }
}

void LineReader::close() {
    file_.close();
}

} // namespace t2k
