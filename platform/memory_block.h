// MemoryBlock: a large block of memory that is filled once, in pages the system chooses for it.
#pragma once

#include <cstddef>
#include <utility>

namespace t2k {

// Whether the block is worth huge pages: filling a block of them costs one page fault per 2 MiB
// instead of one per 4 KiB, but its first touch clears a whole huge page.
enum class PageSize { normal, huge_where_offered };

// Owns size bytes, not cleared; std::bad_alloc when the system has no room.
class MemoryBlock {
public:
    MemoryBlock(std::size_t size, PageSize pages);
    ~MemoryBlock();
    MemoryBlock(MemoryBlock&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
    MemoryBlock& operator=(MemoryBlock&& other) noexcept {
        std::swap(data_, other.data_); // what this block held is released with other
        return *this;
    }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    char* data() const noexcept { return data_; }

    // The size and alignment of one huge page where they are offered.
    static constexpr std::size_t huge_page_size = 2 * 1024 * 1024;

private:
    char* data_;
};

} // namespace t2k
