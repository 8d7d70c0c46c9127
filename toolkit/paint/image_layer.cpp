// TurnedImage: turning into a scratch layer with room for the blur, then drawing it over.
#include "toolkit/paint/image_layer.h"

#include "toolkit/paint/resample.h"

namespace t2k {

void TurnedImage::paint(PixelView target, double left, double top, double degrees,
                        GaussianBlurEffect& blur) {
    const double centre_x = left + face_.width() / 2.0;
    const double centre_y = top + face_.height() / 2.0;
    const int margin = blur.reach();
    const Affine placed =
        Affine::rotation_about(degrees, centre_x, centre_y).after(Affine::translation(left, top));
    if (margin == 0) {
        draw_transformed(target, face_.view(), placed);
        return;
    }
    // The blur reads `margin` pixels beyond the target's edges: paint those too, then blur.
    layer_.resize(target.width + 2 * margin, target.height + 2 * margin);
    const PixelView layer = layer_.view();
    layer.fill(0);
    draw_transformed(layer, face_.view(), Affine::translation(margin, margin).after(placed));
    blur.apply(layer);
    draw_over(target, layer, -margin, -margin);
}

} // namespace t2k
