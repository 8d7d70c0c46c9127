// Pictures embedded in the executable as PNG resources, decoded with the Windows Imaging Component.
#pragma once

#include "toolkit/paint/pixel_buffer.h"

#include <windows.h>

#include <string_view>

namespace t2k {

// The RCDATA resource of that name decoded to premultiplied pixels; scaled to width × height
// when both are given (high-quality downsampling), at its own size otherwise.
PixelBuffer load_png_resource(std::u16string_view name, int width = 0, int height = 0);

// Draws premultiplied pixels at x, y, blended over what the DC already shows.
void draw_pixels(HDC dc, const PixelBuffer& pixels, int x, int y);

} // namespace t2k
