// Controls without a window of their own, drawn by their form over a surface it paints itself:
// a label, a turning image with an optional blur, and a push button with rounded corners.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/paint/image_layer.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace t2k {

// The control's rectangle in the client area, in device-independent pixels (parents added in).
DipRect client_bounds(const Control& control);
// A control shows only while it and every parent control are visible.
bool shown(const Control& control);

// A label whose text the form draws; it keeps its text itself, having no window to hold it.
class PaintedLabel : public Control {
public:
    PaintedLabel(Form& owner, std::u16string_view name) : Control(owner, name) {}
    ControlKind kind() const override { return ControlKind::label; }

    const std::u16string& text() const noexcept { return text_; }
    void set_text(std::u16string_view text) { text_ = text; }

    // Draws the text in its box: the layout's font, colour and alignment, centred vertically,
    // not clipped by the box.
    void paint(HDC dc) const;

protected:
    WindowStyle window_style() const override { return {nullptr, 0, 0}; }

private:
    std::u16string text_;
};

// An image control drawn in software: its layout picture in the image-control frame, scaled by
// `scale` from its top-left corner and turned about the centre of the scaled box (clockwise for
// a positive angle); a blur effect, when enabled, blurs it as turned. It never takes the mouse.
class PaintedImage : public Control {
public:
    PaintedImage(Form& owner, std::u16string_view name, double scale)
        : Control(owner, name), scale_(scale) {}
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
    RoundedButton(Form& owner, std::u16string_view name, int corner_radius)
        : Button(owner, name), corner_radius_(corner_radius) {}

protected:
    void dpi_changed(unsigned dpi) override;

private:
    int corner_radius_;
};

} // namespace t2k
