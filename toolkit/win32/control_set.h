// ControlSet: the controls of one form's layout — the control of each row, those with a window and
// those the form paints — made, given fonts and placed in table order.
#pragma once

#include "toolkit/layout.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace t2k {

class Control;
class FontCache;
class PaintedControl;
class WindowedControl;

class ControlSet {
public:
    explicit ControlSet(const FormLayout& layout)
        : layout_(layout), controls_(layout.controls.size()) {}

    // The controls' constructors take their rows' places here, in the order they are built.
    void adopt(Control& control);
    void adopt_window(WindowedControl& control) { windowed_.push_back(&control); }
    void adopt_painted(PaintedControl& control) { painted_.push_back(&control); }

    Control& find(std::u16string_view name) const;
    // The button Escape presses, or nullptr.
    Control* cancel_control() const;
    // The control that has the focus when the form shows, or nullptr.
    WindowedControl* first_tab_stop() const;
    const std::vector<Control*>& all() const noexcept { return controls_; }
    const std::vector<WindowedControl*>& windowed() const noexcept { return windowed_; }
    const std::vector<PaintedControl*>& painted() const noexcept { return painted_; }

    // Checks that every row has its control, of the row's kind, then makes the windows as
    // children of `parent` in table order, hands them their fonts and places them.
    void create(HWND parent, FontCache& fonts);
    void hand_out_fonts(FontCache& fonts);
    void place(unsigned dpi);

private:
    const FormLayout& layout_;
    std::vector<Control*> controls_; // one per layout row, in table order
    std::vector<WindowedControl*> windowed_;
    std::vector<PaintedControl*> painted_;
};

} // namespace t2k
