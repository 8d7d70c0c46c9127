// FontCache: the message font's face at each style's size and weight.
#include "toolkit/win32/font_cache.h"

namespace t2k {

HFONT FontCache::font(const FontStyle& style) {
    auto found = fonts_.find(style);
    if (found == fonts_.end()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        face.lfHeight = -scale_for_dpi(style.size, dpi_);
        face.lfWidth = 0;
        face.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
        found = fonts_.emplace(style, GdiObject<HFONT>(CreateFontIndirectW(&face))).first;
    }
    return found->second.get();
}

} // namespace t2k
