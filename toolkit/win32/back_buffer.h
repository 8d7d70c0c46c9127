// BackBuffer: a 32-bit DIB section a frame is composed in (pixels and GDI text), then put on a DC.
#pragma once

#include "toolkit/paint/pixel_buffer.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <optional>

namespace t2k {

class BackBuffer {
public:
    // Makes sure the buffer has this size; its contents are kept only while the size stays.
    void resize(int width, int height);
    // The buffer's pixels, premultiplied, rows top to bottom. Call flush() before reading them
    // after GDI drew.
    PixelView pixels() const noexcept { return pixels_; }
    // A memory DC with the buffer selected, for GDI drawing (text).
    HDC dc() const noexcept { return dc_.get(); }
    void flush() const { GdiFlush(); }
    // Copies the whole buffer to the DC at x, y, opaque.
    void put(HDC target, int x, int y) const;

private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    std::optional<SelectedObject> selection_;
    PixelView pixels_;
};

} // namespace t2k
