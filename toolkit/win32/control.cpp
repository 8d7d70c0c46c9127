// Control: registration with the form, the parent found once, placement in the client area.
#include "toolkit/win32/control.h"

#include "toolkit/win32/form.h"

namespace t2k {

Control::Control(Form& owner, const ControlRow& row)
    : owner_(owner), row_(row), parent_(row.parent.empty() ? nullptr : &owner.control(row.parent)),
      bounds_(row.bounds) {
    owner_.control_set().adopt(*this);
}

void Control::set_bounds(const DipRect& bounds) {
    bounds_ = bounds;
    owner_.place_controls();
}

void Control::set_visible(bool visible) {
    visible_ = visible;
    owner_.place_controls();
}

ClientPlacement Control::client_placement() const {
    ClientPlacement placement{bounds_, visible_};
    for (const Control* parent = parent_; parent != nullptr; parent = parent->parent_) {
        placement.bounds.x += parent->bounds_.x;
        placement.bounds.y += parent->bounds_.y;
        placement.shown = placement.shown && parent->visible_;
    }
    return placement;
}

void Control::click() {
    if (on_click_) {
        on_click_();
    }
}

} // namespace t2k
