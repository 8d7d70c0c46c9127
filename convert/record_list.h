// RecordList: the framed records of one file, held as the bytes they will be written as.
#pragma once

#include "convert/byte_room.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/memory_block.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// The bytes in fixed-size chunks, each filled to the brim before the next is started: the list
// grows without copying what it holds, and a byte's place is its chunk and offset.
//
// A streaming list keeps one chunk only, filled to streamed_piece: whenever that fills, all of it
// but its last few bytes is written out (or dropped, for a dry run), so its memory stays the same
// whatever it is given.
// Those last bytes are kept because a record as short as a skip line's may still be taken back.
class RecordList {
public:
    RecordList() = default;
    // A streaming list writing into output; nothing writes the bytes out when output is null.
    static RecordList streaming(OutputFile* output) {
        RecordList list;
        list.streaming_ = true;
        list.output_ = output;
        list.fill_ = streamed_piece;
        return list;
    }
    // Writes out what a streaming list still keeps.
    void finish();

    // Free room at the end, at least one byte: the rest of the last chunk, or a new chunk.
    ByteRoom room() {
        if (chunks_.empty() || last_size_ == fill_) {
            next_chunk();
        }
        char* chunk = chunks_.back().data();
        return ByteRoom{chunk + last_size_, chunk + fill_};
    }
    // Keeps the bytes written into room up to room.next.
    void commit(const ByteRoom& room) {
        last_size_ = static_cast<std::size_t>(room.next - chunks_.back().data());
    }

    // Keeps bytes as they are.
    void append(std::string_view bytes) {
        if (!chunks_.empty() && fill_ - last_size_ >= bytes.size()) {
            // the usual case: a record's framing, which fits in the last chunk
            std::memcpy(chunks_.back().data() + last_size_, bytes.data(), bytes.size());
            last_size_ += bytes.size();
            return;
        }
        append_over_chunks(bytes);
    }
    // Encodes text into code_page (so every input byte comes out as it went in) and keeps it;
    // bytes 0x0D and 0x0A are never written.
    void append_encoded(std::u16string_view text, const CodePage& code_page);

    std::uint64_t size() const noexcept {
        return written_ + (chunks_.empty()
                               ? 0
                               : (chunks_.size() - 1) * std::uint64_t{chunk_size} + last_size_);
    }
    // Whether the bytes from start to the end are exactly bytes.
    bool tail_equals(std::uint64_t start, std::string_view bytes) const {
        return size() - start == bytes.size() && tail_bytes_equal(start, bytes);
    }
    // Drops every byte from size on (in a streaming list, no further back than its kept bytes).
    void truncate(std::uint64_t size);

    // The bytes in order, one piece a chunk (of a list that is not streaming).
    std::vector<std::string_view> pieces() const;

    static constexpr std::size_t chunk_size = MemoryBlock::huge_page_size;
    // What a streaming list keeps when it writes out its chunk: more than any record that may be
    // taken back (an opening and a skip line).
    static constexpr std::size_t kept_back = 16;
    // How much a streaming list writes at a time: small enough to stay in the processor's cache
    // between being filled and being written.
    static constexpr std::size_t streamed_piece = 256 * 1024;

private:
    void next_chunk();
    void start_chunk();
    void append_over_chunks(std::string_view bytes);
    bool tail_bytes_equal(std::uint64_t start, std::string_view bytes) const;
    char byte_at(std::uint64_t index) const {
        index -= written_;
        return chunks_[static_cast<std::size_t>(index / chunk_size)].data()[index % chunk_size];
    }

    std::vector<MemoryBlock> chunks_;
    std::size_t last_size_ = 0;     // bytes used in the last chunk
    std::size_t fill_ = chunk_size; // how far a chunk is filled before the next
    bool streaming_ = false;
    OutputFile* output_ = nullptr;
    std::uint64_t written_ = 0; // bytes a streaming list no longer keeps
};

} // namespace t2k
