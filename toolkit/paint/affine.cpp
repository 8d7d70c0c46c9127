// Affine: construction, composition and inversion.
#include "toolkit/paint/affine.h"

#include <cmath>
#include <numbers>

namespace t2k {

Affine Affine::rotation_about(double degrees, double cx, double cy) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {c, -s, s, c, cx - c * cx + s * cy, cy - s * cx - c * cy};
}

Affine Affine::after(const Affine& first) const {
    return {xx * first.xx + xy * first.yx,      xx * first.xy + xy * first.yy,
            yx * first.xx + yy * first.yx,      yx * first.xy + yy * first.yy,
            xx * first.dx + xy * first.dy + dx, yx * first.dx + yy * first.dy + dy};
}

Affine Affine::inverse() const {
    const double det = xx * yy - xy * yx;
    const double ixx = yy / det, ixy = -xy / det, iyx = -yx / det, iyy = xx / det;
    return {ixx, ixy, iyx, iyy, -(ixx * dx + ixy * dy), -(iyx * dx + iyy * dy)};
}

} // namespace t2k
