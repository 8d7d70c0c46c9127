// TurnedImage: a control's picture painted scaled and turned about a point, blurred when asked.
#pragma once

#include "toolkit/paint/affine.h"
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/paint/pixel_buffer.h"

namespace t2k {

// The control's face is prepared once per size (see paint_image_frame); every frame then only
// turns it into place, blurs it when the effect is on, and draws it over the target.
class TurnedImage {
public:
    // The control's unturned look at its on-screen pixel size.
    void set_face(PixelBuffer face) { face_ = std::move(face); }
    const PixelBuffer& face() const noexcept { return face_; }

    // Draws the face with its top-left corner at left, top (target pixels, before the turn),
    // turned by degrees (clockwise) about its centre. The blur, when on, is applied to the face
    // as turned, so its turned edges blur too; the target clips everything.
    void paint(PixelView target, double left, double top, double degrees, GaussianBlurEffect& blur);

private:
    PixelBuffer face_;
    PixelBuffer layer_; // kept from frame to frame, so painting allocates nothing
};

} // namespace t2k
