// The controls a form's layout can hold: label, edit, multi-line text box, buttons, image, layout.
// A control is declared as a member of its form under the layout's name and created with the form.
#pragma once

#include "toolkit/layout.h"
#include "toolkit/paint/pixel_buffer.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

class Form;

// A window's text (a control's contents, a form's caption).
std::u16string window_text(HWND window);

class Control {
public:
    // Registers the control with its form, which creates its window from the layout row `name`.
    Control(Form& owner, std::u16string_view name);
    virtual ~Control(); // its window, destroyed with the form's, no longer reaches it
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;
    const std::u16string& name() const noexcept { return name_; }
    HWND handle() const noexcept { return handle_; }
    const ControlSpec& spec() const noexcept { return *spec_; }
    Form& owner() const noexcept { return owner_; }
    Control* parent() const noexcept { return parent_; }

    std::u16string text() const;
    void set_text(std::u16string_view text);

    // Position and size in device-independent pixels, relative to the parent control.
    const DipRect& bounds() const noexcept { return bounds_; }
    void set_bounds(const DipRect& bounds);
    void set_position(int x, int y) { set_bounds({x, y, bounds_.width, bounds_.height}); }

    // A control shows only while it and every parent control are visible.
    bool visible() const noexcept { return visible_; }
    void set_visible(bool visible);

    // Runs the layout's click handler, as a click of the user does.
    void click();

protected:
    friend class Form;

    struct WindowStyle {
        const wchar_t* window_class;
        DWORD style;
        DWORD ex_style;
    };
    // Layouts have no window of their own and return a null class.
    virtual WindowStyle window_style() const = 0;
    // The pixel rectangle in the client area for the control's client-relative DIP rectangle.
    virtual RECT placement(const DipRect& client_bounds, unsigned dpi) const;
    // The control's window was just made.
    virtual void created() {}
    // The form's DPI changed, or the control was just created.
    virtual void dpi_changed(unsigned) {}
    // WM_DRAWITEM of an owner-drawn control.
    virtual void draw_item(const DRAWITEMSTRUCT&) {}

    HWND handle_ = nullptr;

private:
    Form& owner_;
    std::u16string name_;
    const ControlSpec* spec_ = nullptr;
    Control* parent_ = nullptr;
    DipRect bounds_;
    bool visible_ = true;
    std::function<void()> on_click_;
};

// Static text; a text larger than its box (a big bold number, say) grows the box instead of
// being clipped, away from the side it is aligned to.
class Label : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::label; }

protected:
    WindowStyle window_style() const override;
    RECT placement(const DipRect& client_bounds, unsigned dpi) const override;
};

class Edit : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::edit; }

protected:
    WindowStyle window_style() const override;
};

// Multi-line text box whose contents are a list of lines, of any length.
class Memo : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::memo; }

    // Empty text has no lines; a final line break adds none; a blank line inside is a line.
    std::vector<std::u16string> lines() const;
    // Adds the line at the end without reading or rewriting the text before it, so appending
    // many lines takes time in proportion to their number.
    void append_line(std::u16string_view line);
    void clear() { set_text(u""); }

protected:
    WindowStyle window_style() const override;
    void created() override;

private:
    char16_t last_character() const;
};

class Button : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::button; }

protected:
    WindowStyle window_style() const override;
};

// A flat button filled by its picture (stretched to the button's size); the whole face clicks.
class PictureButton : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::picture_button; }

protected:
    WindowStyle window_style() const override;
    void dpi_changed(unsigned dpi) override;
    void draw_item(const DRAWITEMSTRUCT& item) override;

private:
    PixelBuffer picture_; // at the button's pixel size
};

// A surface painted by its form (in software, say); it never reacts to the mouse.
class ImageControl : public Control {
public:
    using Painter = std::function<void(HDC dc, const RECT& client)>;

    using Control::Control;
    ControlKind kind() const override { return ControlKind::image; }

    // The painter runs under the catch-all at every WM_PAINT of the control.
    void set_painter(Painter painter) { painter_ = std::move(painter); }
    void invalidate() const;

protected:
    WindowStyle window_style() const override;

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    Painter painter_;
};

// A group without a window: moving or hiding it moves or hides its children.
class Layout : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::layout; }

protected:
    WindowStyle window_style() const override { return {nullptr, 0, 0}; }
};

} // namespace t2k
