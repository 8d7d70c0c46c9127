// Painted controls: where they are, how labels draw their text, how the image prepares its face.
#include "toolkit/win32/painted_controls.h"

#include "platform/win32/wide.h"
#include "toolkit/form.h"
#include "toolkit/paint/image_frame.h"
#include "toolkit/picture.h"
#include "toolkit/win32_handles.h"

#include <cmath>

namespace t2k {

DipRect client_bounds(const Control& control) {
    DipRect bounds = control.bounds();
    for (const Control* parent = control.parent(); parent != nullptr; parent = parent->parent()) {
        bounds.x += parent->bounds().x;
        bounds.y += parent->bounds().y;
    }
    return bounds;
}

bool shown(const Control& control) {
    for (const Control* c = &control; c != nullptr; c = c->parent())
        if (!c->visible())
            return false;
    return true;
}

void PaintedLabel::paint(HDC dc) const {
    if (text_.empty() || !shown(*this))
        return;
    const DipRect bounds = client_bounds(*this);
    Form& form = owner();
    RECT box{form.scale(bounds.x), form.scale(bounds.y), form.scale(bounds.x + bounds.width),
             form.scale(bounds.y + bounds.height)};
    SelectedObject font(dc, form.font(spec().font));
    const std::uint32_t rgb = spec().text_color == no_color ? 0x000000 : spec().text_color;
    SetTextColor(dc, RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
    format |= spec().align == TextAlign::center     ? DT_CENTER
              : spec().align == TextAlign::trailing ? DT_RIGHT
                                                    : DT_LEFT;
    DrawTextW(dc, wide(text_), static_cast<int>(text_.size()), &box, format);
}

void PaintedImage::prepare_face(unsigned dpi) {
    if (picture_.width() == 0 && !spec().picture.empty())
        picture_ = load_png_resource(spec().picture);
    const double pixels_per_unit = scale_ * dpi / 96.0;
    const int side = static_cast<int>(std::lround(bounds().width * pixels_per_unit));
    const int height = static_cast<int>(std::lround(bounds().height * pixels_per_unit));
    PixelBuffer face(side, height);
    paint_image_frame(face.view(), picture_.view(), pixels_per_unit);
    turned_.set_face(std::move(face));
    face_dpi_ = dpi;
}

void PaintedImage::paint(PixelView target, unsigned dpi) {
    if (!shown(*this))
        return;
    if (face_dpi_ != dpi)
        prepare_face(dpi);
    const DipRect bounds = client_bounds(*this);
    const double pixels_per_dip = dpi / 96.0;
    turned_.paint(target, bounds.x * pixels_per_dip, bounds.y * pixels_per_dip, angle_,
                  effect_ != nullptr ? *effect_ : no_effect_);
}

void RoundedButton::dpi_changed(unsigned dpi) {
    Button::dpi_changed(dpi);
    if (handle() == nullptr)
        return;
    const int width = scale_for_dpi(bounds().width, dpi);
    const int height = scale_for_dpi(bounds().height, dpi);
    const int diameter = 2 * scale_for_dpi(corner_radius_, dpi);
    // The window owns the region once it is set.
    SetWindowRgn(handle(), CreateRoundRectRgn(0, 0, width + 1, height + 1, diameter, diameter),
                 TRUE);
}

} // namespace t2k
