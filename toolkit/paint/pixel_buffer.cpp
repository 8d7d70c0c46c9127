// PixelBuffer: storage, filling, parts and plain (untransformed) drawing.
#include "toolkit/paint/pixel_buffer.h"

#include <algorithm>

namespace t2k {

void PixelView::fill(Pixel value) const {
    for (int y = 0; y < height; ++y) {
        std::fill_n(row(y), width, value);
    }
}

PixelView PixelView::part(int x, int y, int part_width, int part_height) const {
    const int left = std::clamp(x, 0, width);
    const int top = std::clamp(y, 0, height);
    const int right = std::clamp(x + part_width, left, width);
    const int bottom = std::clamp(y + part_height, top, height);
    return {pixels + top * stride + left, right - left, bottom - top, stride};
}

PixelBuffer::PixelBuffer(int width, int height, Pixel fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void PixelBuffer::resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void draw_over(PixelView dst, const PixelView& src, int x, int y) {
    const PixelView target = dst.part(x, y, src.width, src.height);
    const int from_x = std::max(0, -x);
    const int from_y = std::max(0, -y);
    for (int row = 0; row < target.height; ++row) {
        const Pixel* in = src.row(from_y + row) + from_x;
        Pixel* out = target.row(row);
        for (int col = 0; col < target.width; ++col) {
            out[col] = blend_over(out[col], in[col]);
        }
    }
}

} // namespace t2k
