// MemoryBlock on POSIX: aligned to a huge page, and on Linux marked for transparent huge pages.
#include "platform/memory_block.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace t2k {

MemoryBlock::MemoryBlock(std::size_t size, PageSize pages) {
    const std::size_t whole_pages = (size + huge_page_size - 1) / huge_page_size * huge_page_size;
    data_ = static_cast<char*>(std::aligned_alloc(huge_page_size, whole_pages));
    if (data_ == nullptr) {
        throw std::bad_alloc();
    }
#ifdef MADV_HUGEPAGE
    if (pages == PageSize::huge_where_offered) {
        ::madvise(data_, whole_pages, MADV_HUGEPAGE); // only advice: a refusal changes nothing
    }
#else
    (void)pages;
#endif
}

MemoryBlock::~MemoryBlock() {
    std::free(data_);
}

} // namespace t2k
