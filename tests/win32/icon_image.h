// An icon's image as the system holds it: its size and its pixels, for tests that look at icons.
#pragma once

#include "toolkit/win32/handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace t2k::test {

struct IconImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, top row first; empty for a monochrome icon

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The colour image of the icon (an empty image when the system cannot read it).
inline IconImage read_icon_image(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return {};
    }
    GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    IconImage image{bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2, {}};
    if (!colour) {
        return image;
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = image.width;
    format.bmiHeader.biHeight = -image.height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    image.pixels.resize(static_cast<std::size_t>(image.width) *
                        static_cast<std::size_t>(image.height));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, colour.get(), 0, static_cast<UINT>(image.height), image.pixels.data(),
              &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return image;
}

// The program's picture: clear corners round an opaque black disc that holds yellow stars.
inline bool shows_the_star_ring(const IconImage& image) {
    if (image.pixels.empty()) {
        return false;
    }
    const auto yellow = [](std::uint32_t p) {
        const std::uint32_t alpha = p >> 24, red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF,
                            blue = p & 0xFF;
        return alpha == 0xFF && red >= 0x80 && green >= red / 2 && blue < 0x20;
    };
    const bool clear_corners =
        image.at(0, 0) >> 24 == 0 && image.at(image.width - 1, image.height - 1) >> 24 == 0;
    const bool black_middle = image.at(image.width / 2, image.height / 2) == 0xFF000000u;
    const bool has_stars = std::count_if(image.pixels.begin(), image.pixels.end(), yellow) > 0;
    return clear_corners && black_middle && has_stars;
}

} // namespace t2k::test
