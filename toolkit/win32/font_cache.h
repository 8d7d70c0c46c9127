// FontCache: the fonts of one DPI, each made once from the system's message font and kept as long
// as the cache.
#pragma once

#include "toolkit/layout.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <map>

namespace t2k {

class FontCache {
public:
    explicit FontCache(unsigned dpi = 96) : dpi_(dpi) {}

    unsigned dpi() const noexcept { return dpi_; }
    // The font of that size and weight at the cache's DPI.
    HFONT font(const FontStyle& style);

private:
    unsigned dpi_;
    std::map<FontStyle, GdiObject<HFONT>> fonts_;
};

} // namespace t2k
