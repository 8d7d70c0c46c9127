// Painted controls: how labels draw their text and how the image prepares and draws its face.
#include "toolkit/win32/painted_controls.h"

#include "platform/win32/wide.h"
#include "toolkit/win32/form.h"
#include "toolkit/paint/image_frame.h"
#include "toolkit/win32/picture.h"
#include "toolkit/win32/handles.h"

#include <cmath>

namespace t2k {

PaintedControl::PaintedControl(Form& owner, const ControlRow& row) : Control(owner, row) {
    owner.control_set().adopt_painted(*this);
}

void PaintedLabel::paint(BackBuffer& surface, unsigned dpi) {
    const std::u16string label = text();
    const ClientPlacement placement = client_placement();
    if (label.empty() || !placement.shown) {
        return;
    }
    const DipRect& bounds = placement.bounds;
    RECT box{scale_for_dpi(bounds.x, dpi), scale_for_dpi(bounds.y, dpi),
             scale_for_dpi(bounds.x + bounds.width, dpi),
             scale_for_dpi(bounds.y + bounds.height, dpi)};
    HDC dc = surface.dc();
    const SelectedObject font(dc, owner().font(row().font));
    const std::uint32_t rgb = row().text_color == no_color ? 0x000000 : row().text_color;
    SetTextColor(dc, RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
    format |= row().align == TextAlign::center     ? DT_CENTER
              : row().align == TextAlign::trailing ? DT_RIGHT
                                                   : DT_LEFT;
    DrawTextW(dc, wide(label), static_cast<int>(label.size()), &box, format);
}

void PaintedImage::prepare_face(unsigned dpi) {
    if (picture_.width() == 0 && !row().picture.empty()) {
        picture_ = load_png_resource(row().picture);
    }
    const double pixels_per_unit = scale_ * dpi / 96.0;
    const int side = static_cast<int>(std::lround(bounds().width * pixels_per_unit));
    const int height = static_cast<int>(std::lround(bounds().height * pixels_per_unit));
    PixelBuffer face(side, height);
    paint_image_frame(face.view(), picture_.view(), pixels_per_unit);
    turned_.set_face(std::move(face));
    face_dpi_ = dpi;
}

void PaintedImage::paint(BackBuffer& surface, unsigned dpi) {
    const ClientPlacement placement = client_placement();
    if (!placement.shown) {
        return;
    }
    if (face_dpi_ != dpi) {
        prepare_face(dpi);
    }
    surface.flush(); // whatever GDI drew before lands before the pixels are touched
    const DipRect& bounds = placement.bounds;
    const double pixels_per_dip = dpi / 96.0;
    turned_.paint(surface.pixels(), bounds.x * pixels_per_dip, bounds.y * pixels_per_dip, angle_,
                  effect_ != nullptr ? *effect_ : no_effect_);
}

} // namespace t2k
