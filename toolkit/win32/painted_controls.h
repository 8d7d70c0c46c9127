// Controls without a window of their own, drawn by their form over a surface it paints itself:
// a label, a turning image with an optional blur, and a push button with rounded corners.
#pragma once

#include "toolkit/win32/controls.h"
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/paint/image_layer.h"

#include <windows.h>

namespace t2k {

// A label whose text the form draws; having no window, it keeps its text in the control.
class PaintedLabel : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::label; }

    // Draws the text in its box: the layout's font, colour and alignment, centred vertically,
    // not clipped by the box.
    void paint(HDC dc) const;

protected:
    WindowStyle window_style() const override { return {nullptr, 0, 0}; }
};

// An image control drawn in software: its layout picture in the image-control frame, scaled by
// `scale` from its top-left corner and turned about the centre of the scaled box (clockwise for
// a positive angle); a blur effect, when enabled, blurs it as turned. It never takes the mouse.
class PaintedImage : public Control {
public:
    PaintedImage(Form& owner, const ControlRow& row, double scale)
        : Control(owner, row), scale_(scale) {}
    ControlKind kind() const override { return ControlKind::image; }

    double rotation_angle() const noexcept { return angle_; }
    void set_rotation_angle(double degrees) noexcept { angle_ = degrees; }
    void set_effect(GaussianBlurEffect* effect) noexcept { effect_ = effect; }

    // Draws into target, which holds the form's whole client area at the given DPI.
    void paint(PixelView target, unsigned dpi);

protected:
    WindowStyle window_style() const override { return {nullptr, 0, 0}; }

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

// A push button whose window is cut to a rectangle with rounded corners.
class RoundedButton : public Button {
public:
    RoundedButton(Form& owner, const ControlRow& row, int corner_radius)
        : Button(owner, row), corner_radius_(corner_radius) {}

protected:
    void dpi_changed(unsigned dpi) override;

private:
    int corner_radius_;
};

} // namespace t2k
