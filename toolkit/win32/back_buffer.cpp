// BackBuffer: the DIB section, its memory DC and the copy to the window.
#include "toolkit/win32/back_buffer.h"

#include "platform/error.h"

namespace t2k {

void BackBuffer::resize(int width, int height) {
    if (bitmap_ && pixels_.width == width && pixels_.height == height) {
        return;
    }
    selection_.reset();
    bitmap_.reset();
    pixels_ = {};
    if (!dc_) {
        dc_ = MemoryDc(CreateCompatibleDC(nullptr));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ =
        GdiObject<HBITMAP>(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || bits == nullptr) {
        throw Error(u"Cannot make the drawing buffer");
    }
    selection_.emplace(dc_.get(), bitmap_.get());
    pixels_ = {static_cast<Pixel*>(bits), width, height, width};
}

void BackBuffer::put(HDC target, int x, int y) const {
    if (bitmap_) {
        BitBlt(target, x, y, pixels_.width, pixels_.height, dc_.get(), 0, 0, SRCCOPY);
    }
}

} // namespace t2k
