// RecordList: the framed records of one file, held as the bytes they will be written as.
#pragma once

#include "convert/byte_room.h"
#include "platform/code_page.h"
#include "platform/memory_block.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// The bytes in fixed-size chunks, each filled to the brim before the next is started: the list
// grows without copying what it holds, and a byte's place is its chunk and offset.
class RecordList {
public:
    // Free room at the end, at least one byte: the rest of the last chunk, or a new chunk.
    ByteRoom room() {
        if (chunks_.empty() || last_size_ == chunk_size) {
            start_chunk();
        }
        char* chunk = chunks_.back().data();
        return ByteRoom{chunk + last_size_, chunk + chunk_size};
    }
    // Keeps the bytes written into room up to room.next.
    void commit(const ByteRoom& room) {
        last_size_ = static_cast<std::size_t>(room.next - chunks_.back().data());
    }

    // Keeps bytes as they are.
    void append(std::string_view bytes) {
        if (!chunks_.empty() && chunk_size - last_size_ >= bytes.size()) {
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
        return chunks_.empty() ? 0 : (chunks_.size() - 1) * std::uint64_t{chunk_size} + last_size_;
    }
    // Whether the bytes from start to the end are exactly bytes.
    bool tail_equals(std::uint64_t start, std::string_view bytes) const {
        return size() - start == bytes.size() && tail_bytes_equal(start, bytes);
    }
    // Drops every byte from size on.
    void truncate(std::uint64_t size);

    // The bytes in order, one piece a chunk.
    std::vector<std::string_view> pieces() const;

    static constexpr std::size_t chunk_size = MemoryBlock::huge_page_size;

private:
    void start_chunk();
    void append_over_chunks(std::string_view bytes);
    bool tail_bytes_equal(std::uint64_t start, std::string_view bytes) const;
    char byte_at(std::uint64_t index) const {
        return chunks_[static_cast<std::size_t>(index / chunk_size)].data()[index % chunk_size];
    }

    std::vector<MemoryBlock> chunks_;
    std::size_t last_size_ = 0; // bytes used in the last chunk
};

} // namespace t2k
