// The controls with a window of their own: label, edit, multi-line text box, push button, flat
// picture button, rounded button. Each makes, places and answers for its window: the form only
// reflects to it the messages its window sends the form (commands, colours, owner drawing).
#pragma once

#include "toolkit/win32/control.h"
#include "toolkit/paint/pixel_buffer.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// A window's text (a control's contents, a form's caption).
std::u16string window_text(HWND window);

class WindowedControl : public Control {
public:
    ~WindowedControl() override;

    HWND handle() const noexcept { return window_.get(); }
    // The control whose window this is, if it is a child of `parent`; else nullptr.
    static WindowedControl* child_of(HWND parent, HWND window);

    std::u16string text() const override;
    void set_text(std::u16string_view text) override;

    // Makes the window, hidden until placed, as the child of `parent` with identifier `id`.
    void create(HWND parent, int id);
    // The form's DPI is this one from now on (or the window was just made): the control takes
    // the font made for it and redoes what it drew for the old DPI.
    void rescale(unsigned dpi, HFONT font);
    // Moves the window to its bounds at that DPI, shown while it and its parents are visible.
    void place(unsigned dpi);

    // The messages the window sends its form, reflected back here; nullopt leaves them to the
    // form's default handling.
    virtual std::optional<LRESULT> on_command(WORD) { return std::nullopt; }
    virtual std::optional<LRESULT> on_control_color(HDC dc);
    virtual std::optional<LRESULT> on_draw_item(const DRAWITEMSTRUCT&) { return std::nullopt; }

protected:
    WindowedControl(Form& owner, const ControlRow& row);

    struct WindowStyle {
        const wchar_t* window_class;
        DWORD style;
        DWORD ex_style;
    };
    virtual WindowStyle window_style() const = 0;
    // The pixel rectangle in the client area for the control's client-relative DIP rectangle.
    virtual RECT placement(const DipRect& client_bounds, unsigned dpi) const;
    // The window was just made.
    virtual void created() {}
    // Redoes what depends on the DPI, beyond the font.
    virtual void dpi_changed(unsigned) {}

    HFONT font() const noexcept { return font_; }

private:
    WindowHandle window_;
    HFONT font_ = nullptr;         // the form's, handed over for the current DPI
    GdiObject<HBRUSH> background_; // made when the window first asks for its colours
};

// Static text; a text larger than its box (a big bold number, say) grows the box instead of
// being clipped, away from the side it is aligned to.
class Label : public WindowedControl {
public:
    Label(Form& owner, const ControlRow& row) : WindowedControl(owner, row) {}
    ControlKind kind() const override { return ControlKind::label; }

protected:
    WindowStyle window_style() const override;
    RECT placement(const DipRect& client_bounds, unsigned dpi) const override;
};

class Edit : public WindowedControl {
public:
    Edit(Form& owner, const ControlRow& row) : WindowedControl(owner, row) {}
    ControlKind kind() const override { return ControlKind::edit; }

protected:
    WindowStyle window_style() const override;
};

// Multi-line text box whose contents are a list of lines, of any length.
class Memo : public WindowedControl {
public:
    Memo(Form& owner, const ControlRow& row) : WindowedControl(owner, row) {}
    ControlKind kind() const override { return ControlKind::memo; }

    // Empty text has no lines; a final line break adds none; a blank line inside is a line.
    std::vector<std::u16string> lines() const;
    // Adds the line at the end without reading or rewriting the text before it, so appending
    // many lines takes time in proportion to their number.
    void append_line(std::u16string_view line);
    // The lines appended in order, in one change of the text.
    void append_lines(const std::vector<std::u16string>& lines);
    void clear() { set_text(u""); }

protected:
    WindowStyle window_style() const override;
    void created() override;

private:
    char16_t last_character() const;
    void append_at_end(const std::u16string& addition);
};

// A push button: a click of the user runs its click handler.
class Button : public WindowedControl {
public:
    Button(Form& owner, const ControlRow& row) : WindowedControl(owner, row) {}
    ControlKind kind() const override { return ControlKind::button; }
    std::optional<LRESULT> on_command(WORD notification) override;

protected:
    WindowStyle window_style() const override;
};

// A flat button filled by its picture (stretched to the button's size); the whole face clicks.
class PictureButton : public Button {
public:
    PictureButton(Form& owner, const ControlRow& row) : Button(owner, row) {}
    ControlKind kind() const override { return ControlKind::picture_button; }
    std::optional<LRESULT> on_draw_item(const DRAWITEMSTRUCT& item) override;

protected:
    WindowStyle window_style() const override;
    void dpi_changed(unsigned dpi) override;

private:
    PixelBuffer picture_; // at the button's pixel size
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
