// Resampling: a picture drawn through an affine map (bilinear), and area-averaged resizing.
#pragma once

#include "toolkit/paint/affine.h"
#include "toolkit/paint/pixel_buffer.h"

namespace t2k {

// Draws source over target, source pixel coordinates mapped to target pixel coordinates by
// source_to_target. Sampling is bilinear; outside the source counts as transparent, so edges
// are smooth. Only target's own pixels are touched: the target view is the clip.
void draw_transformed(PixelView target, const PixelView& source, const Affine& source_to_target);

// Fills target with source resized to target's size, each target pixel the average of the
// source area it covers (good for shrinking a large picture once).
void resize_area(PixelView target, const PixelView& source);

} // namespace t2k
