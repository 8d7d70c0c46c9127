// ControlSet: the rows' controls checked, made in table order, given fonts and placed.
#include "toolkit/win32/control_set.h"

#include "platform/error.h"
#include "toolkit/win32/font_cache.h"
#include "toolkit/win32/painted_controls.h"
#include "toolkit/win32/windowed_controls.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace t2k {

void ControlSet::adopt(Control& control) {
    const auto index = &control.row() - layout_.controls.data();
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(controls_.size()) ||
        controls_[static_cast<std::size_t>(index)] != nullptr) {
        throw std::logic_error("a control's row is not a free row of its form's layout");
    }
    controls_[static_cast<std::size_t>(index)] = &control;
}

Control& ControlSet::find(std::u16string_view name) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [name](const Control* c) {
        return c != nullptr && c->name() == name;
    });
    if (found == controls_.end()) {
        throw Error(u"No control named " + std::u16string(name));
    }
    return **found;
}

Control* ControlSet::cancel_control() const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [](const Control* c) {
        return c != nullptr && c->row().cancel;
    });
    return found != controls_.end() ? *found : nullptr;
}

WindowedControl* ControlSet::first_tab_stop() const {
    const auto found = std::find_if(windowed_.begin(), windowed_.end(), [](const Control* c) {
        return c->row().tab_order != no_tab_stop;
    });
    return found != windowed_.end() ? *found : nullptr;
}

// In table order, whatever order the members are declared in: tab stops in tab order, painted
// controls in z-order.
void ControlSet::create(HWND parent, FontCache& fonts) {
    for (std::size_t row = 0; row < controls_.size(); ++row) {
        const Control* control = controls_[row];
        if (control == nullptr) {
            throw Error(u"The form has no control for " +
                        std::u16string(layout_.controls[row].name));
        }
        if (control->kind() != control->row().kind) {
            throw Error(u"Control " + std::u16string(control->name()) +
                        u" is not of the layout's kind");
        }
    }
    const auto table_order = [](const Control* a, const Control* b) {
        return &a->row() < &b->row();
    };
    std::sort(windowed_.begin(), windowed_.end(), table_order);
    std::sort(painted_.begin(), painted_.end(), table_order);
    for (WindowedControl* control : windowed_) {
        control->create(parent, control_id(layout_.controls, control->row()));
    }
    hand_out_fonts(fonts);
    place(fonts.dpi());
}

void ControlSet::hand_out_fonts(FontCache& fonts) {
    for (WindowedControl* control : windowed_) {
        control->rescale(fonts.dpi(), fonts.font(control->row().font));
    }
}

void ControlSet::place(unsigned dpi) {
    for (WindowedControl* control : windowed_) {
        control->place(dpi);
    }
}

} // namespace t2k
