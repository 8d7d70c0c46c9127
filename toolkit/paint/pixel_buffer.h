// PixelBuffer and PixelView: 32-bit premultiplied pixels (0xAARRGGBB), rows top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace t2k {

using Pixel = std::uint32_t;

constexpr Pixel make_pixel(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Pixel{a} << 24 | Pixel{r} << 16 | Pixel{g} << 8 | Pixel{b};
}
constexpr std::uint8_t alpha_of(Pixel p) {
    return static_cast<std::uint8_t>(p >> 24);
}

inline constexpr Pixel opaque_black = 0xFF000000u;
inline constexpr Pixel opaque_white = 0xFFFFFFFFu;

// Pixels owned elsewhere (a buffer, a DIB section); stride counts pixels.
struct PixelView {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    Pixel* row(int y) const { return pixels + y * stride; }
    Pixel& at(int x, int y) const { return row(y)[x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void fill(Pixel value) const;
    // The part inside x, y, width × height, cut to this view.
    PixelView part(int x, int y, int part_width, int part_height) const;
};

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Pixel fill = 0);

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // Changes the size; the contents are then unspecified. Keeps the memory when it shrinks.
    void resize(int width, int height);
    PixelView view() { return {pixels_.data(), width_, height_, width_}; }
    const Pixel& at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }
    Pixel& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Pixel* data() const noexcept { return pixels_.data(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// Source-over: src drawn on dst, both premultiplied.
inline Pixel blend_over(Pixel dst, Pixel src) {
    const std::uint32_t keep = 255u - alpha_of(src);
    if (keep == 0) {
        return src;
    }
    const std::uint32_t rb = ((dst & 0x00FF00FFu) * keep + 0x00800080u) >> 8 & 0x00FF00FFu;
    const std::uint32_t ag = ((dst >> 8 & 0x00FF00FFu) * keep + 0x00800080u) & 0xFF00FF00u;
    return src + (rb | ag);
}

// Every pixel of src drawn over dst with its top-left at x, y, cut to dst.
void draw_over(PixelView dst, const PixelView& src, int x, int y);

} // namespace t2k
