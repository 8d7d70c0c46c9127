// Control: what every control of a form has — its layout row, its place inside its parent, its
// visibility and its click handler — and Layout, the group that only moves its children. The two
// kinds build on it: windowed_controls.h (a window of their own) and painted_controls.h (drawn
// by their form). A control is a member of its form, named and built from its layout row:
// Label Label1{*this, example_layout::row(u"Label1")}.
#pragma once

#include "toolkit/layout.h"

#include <functional>
#include <string>
#include <string_view>

namespace t2k {

class Form;

// Where a control is in its form's client area (parents added in, device-independent pixels) and
// whether it shows: only while it and every parent control are visible.
struct ClientPlacement {
    DipRect bounds;
    bool shown = true;
};

class Control {
public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;
    std::u16string_view name() const noexcept { return row_.name; }
    const ControlRow& row() const noexcept { return row_; }
    Form& owner() const noexcept { return owner_; }
    Control* parent() const noexcept { return parent_; }

    // A control without a window keeps its text itself.
    virtual std::u16string text() const { return text_; }
    virtual void set_text(std::u16string_view text) { text_ = text; }

    // Position and size in device-independent pixels, relative to the parent control.
    const DipRect& bounds() const noexcept { return bounds_; }
    void set_bounds(const DipRect& bounds);
    void set_position(int x, int y) { set_bounds({x, y, bounds_.width, bounds_.height}); }

    bool visible() const noexcept { return visible_; }
    void set_visible(bool visible);
    // The one routine placing and painting both go by.
    ClientPlacement client_placement() const;

    // The click handler, run by a click of the user and by click().
    void on_click(std::function<void()> handler) { on_click_ = std::move(handler); }
    void click();

protected:
    // Takes the place of `row` (a row of the owner's layout) among the owner's controls. A parent
    // row comes before its children, so the parent control exists already.
    Control(Form& owner, const ControlRow& row);

private:
    Form& owner_;
    const ControlRow& row_;
    Control* parent_;
    DipRect bounds_;
    bool visible_ = true;
    std::u16string text_;
    std::function<void()> on_click_;
};

// A group without a window that draws nothing: moving or hiding it moves or hides its children.
class Layout : public Control {
public:
    Layout(Form& owner, const ControlRow& row) : Control(owner, row) {}
    ControlKind kind() const override { return ControlKind::layout; }
};

} // namespace t2k
