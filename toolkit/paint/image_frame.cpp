// The image control's look: face, border and the fitted picture, painted once per size.
#include "toolkit/paint/image_frame.h"

#include "toolkit/paint/resample.h"

#include <algorithm>
#include <cmath>

namespace t2k {

void paint_image_frame(PixelView target, const PixelView& picture, double pixels_per_unit,
                       const ImageFrameStyle& style) {
    target.fill(style.border);
    const int border =
        std::max(1, static_cast<int>(std::lround(style.border_width * pixels_per_unit)));
    target.part(border, border, target.width - 2 * border, target.height - 2 * border)
        .fill(style.face);
    if (picture.width <= 0 || picture.height <= 0) {
        return;
    }

    const double inset = style.inset * pixels_per_unit;
    const double box_width = target.width - 2 * inset;
    const double box_height = target.height - 2 * inset;
    const double fit = std::min(box_width / picture.width, box_height / picture.height);
    const int width = static_cast<int>(std::lround(picture.width * fit));
    const int height = static_cast<int>(std::lround(picture.height * fit));
    PixelBuffer fitted(width, height);
    resize_area(fitted.view(), picture);
    draw_over(target, fitted.view(), static_cast<int>(std::lround((target.width - width) / 2.0)),
              static_cast<int>(std::lround((target.height - height) / 2.0)));
}

} // namespace t2k
