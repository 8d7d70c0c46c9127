// The image control's look: an opaque white square with a thin grey border and its picture inside.
#pragma once

#include "toolkit/paint/pixel_buffer.h"

namespace t2k {

struct ImageFrameStyle {
    Pixel face = opaque_white;
    Pixel border = 0xFFA0A0A0u;
    double border_width = 1.0; // control units
    double inset = 5.0;        // control units between the edge and the picture's box
};

// Paints the control into target, which covers the control's whole box; pixels_per_unit
// converts control units to target pixels. The picture is scaled to fit its box, centred,
// keeping its proportions.
void paint_image_frame(PixelView target, const PixelView& picture, double pixels_per_unit,
                       const ImageFrameStyle& style = {});

} // namespace t2k
