// Affine: a 2-D affine map (scale, rotation, translation) between pixel coordinates.
#pragma once

namespace t2k {

// x' = xx * x + xy * y + dx;  y' = yx * x + yy * y + dy.
struct Affine {
    double xx = 1, xy = 0, yx = 0, yy = 1, dx = 0, dy = 0;

    static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    // Turns about (cx, cy); with y pointing down a positive angle turns clockwise on screen.
    static Affine rotation_about(double degrees, double cx, double cy);

    // This map applied after `first`.
    Affine after(const Affine& first) const;
    Affine inverse() const;
    void apply(double x, double y, double& out_x, double& out_y) const {
        out_x = xx * x + xy * y + dx;
        out_y = yx * x + yy * y + dy;
    }
};

} // namespace t2k
