// MemoryBlock on Windows: committed pages from VirtualAlloc. Huge (large) pages need a privilege
// that users do not have, so every block has normal pages.
#include "platform/memory_block.h"

#include <new>
#include <windows.h>

namespace t2k {

MemoryBlock::MemoryBlock(std::size_t size, PageSize) {
    data_ =
        static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (data_ == nullptr) {
        throw std::bad_alloc();
    }
}

MemoryBlock::~MemoryBlock() {
    if (data_ != nullptr) {
        VirtualFree(data_, 0, MEM_RELEASE);
    }
}

} // namespace t2k
