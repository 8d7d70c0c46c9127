// Controls without a window of their own, drawn by their form over a surface it paints itself:
// a label, and a turning image with an optional blur.
#pragma once

#include "toolkit/win32/control.h"
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/paint/image_layer.h"
#include "toolkit/win32/back_buffer.h"

namespace t2k {

// A control its form draws: the form paints its painted controls in table order (their z-order)
// on one back buffer holding the whole client area.
class PaintedControl : public Control {
public:
    // Draws itself on the surface, which holds the form's client area at the given DPI.
    virtual void paint(BackBuffer& surface, unsigned dpi) = 0;

protected:
    PaintedControl(Form& owner, const ControlRow& row);
};

// A label drawn with GDI: the layout's font, colour and alignment, centred vertically, not
// clipped by its box.
class PaintedLabel : public PaintedControl {
public:
    PaintedLabel(Form& owner, const ControlRow& row) : PaintedControl(owner, row) {}
    ControlKind kind() const override { return ControlKind::label; }
    void paint(BackBuffer& surface, unsigned dpi) override;
};

// An image control drawn in software: its layout picture in the image-control frame, scaled by
// `scale` from its top-left corner and turned about the centre of the scaled box (clockwise for
// a positive angle); a blur effect, when enabled, blurs it as turned. It never takes the mouse.
class PaintedImage : public PaintedControl {
public:
    PaintedImage(Form& owner, const ControlRow& row, double scale)
        : PaintedControl(owner, row), scale_(scale) {}
    ControlKind kind() const override { return ControlKind::image; }

    double rotation_angle() const noexcept { return angle_; }
    void set_rotation_angle(double degrees) noexcept { angle_ = degrees; }
    void set_effect(GaussianBlurEffect* effect) noexcept { effect_ = effect; }

    void paint(BackBuffer& surface, unsigned dpi) override;

private:
    void prepare_face(unsigned dpi);

    double scale_;
    double angle_ = 0.0;
    GaussianBlurEffect* effect_ = nullptr;
    GaussianBlurEffect no_effect_;
    PixelBuffer picture_; // as decoded, once
    unsigned face_dpi_ = 0;
    TurnedImage turned_;
};

} // namespace t2k
