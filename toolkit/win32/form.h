// Form: the base of every top-level window, built from a layout table, with handlers under the
// catch-all.
//
// How a new form is written:
//   1. Its layout is a constexpr FormLayout in resources/ (caption, client size in
//      device-independent pixels, one ControlRow per control in creation order: kind, name, text,
//      bounds, font, alignment, tab order, picture, parent layout, colours), with a consteval
//      row(name) that finds a row while compiling.
//   2. The class derives from Form, passes the layout to Form's constructor and declares one
//      member per row, named as the row and built from it, so a misspelt name does not compile:
//          class TExample : public Form {
//          public:
//              TExample();
//              Label Label1{*this, example_layout::row(u"Label1")};
//              Button OkButton{*this, example_layout::row(u"OkButton")};
//          private:
//              void FormCreate() override;
//              void OkButtonClick();
//          };
//          TExample::TExample() : Form(example_layout::form) {
//              OkButton.on_click([this] { OkButtonClick(); });
//              on_message(WM_TIMER, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
//                  ...;
//                  return 0;
//              });
//          }
//   3. create() makes the native window (hidden), the windowed controls in table order and runs
//      FormCreate. FormShow runs on every show, FormClose on every close with the default action
//      (quit for the application's main form, hide for the others; set CloseAction::none to keep
//      it open).
//   4. on_message registers a handler for any message (WM_PAINT, WM_TIMER, ...): it runs before
//      the form's own handling and returns nullopt to let that go on. draw_pixels (picture.h)
//      puts a pixel buffer on a DC.
//   5. show_modal(form) (modal.h) shows the form with the program's other windows disabled and
//      returns when the form is closed (CloseButtonClick can simply call close()).
// Every handler runs under the catch-all: an escaping error ends the handler and shows the error
// box, and the program goes on.
#pragma once

#include "toolkit/win32/control.h"
#include "toolkit/win32/control_set.h"
#include "toolkit/layout.h"
#include "toolkit/win32/font_cache.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

enum class CloseAction { none, hide, quit };

class Form {
public:
    explicit Form(const FormLayout& layout);
    virtual ~Form(); // destroys the window; no close handler runs
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Makes the native window and the controls, and runs FormCreate. A form with an owner is a
    // dialog of it: no taskbar button of its own, always above its owner.
    void create(HWND owner = nullptr);
    HWND handle() const noexcept { return window_.get(); }
    const FormLayout& layout() const noexcept { return layout_; }

    void show();
    void hide();
    // Asks the form to close, as the title bar's close box does.
    void close();
    // The main form has closed, so the application's event loop ends.
    bool has_quit() const noexcept { return quit_; }

    // show_modal (modal.h) hands the form the flag its loop waits on while the loop runs: closing
    // with the hide action then sets the flag instead of hiding the form.
    void set_modal_flag(bool* closed) noexcept { modal_closed_ = closed; }
    bool is_modal() const noexcept { return modal_closed_ != nullptr; }

    // The application's main form quits when closed; the others hide.
    void set_main(bool main) noexcept { main_ = main; }

    std::u16string caption() const;
    void set_caption(std::u16string_view caption);

    unsigned dpi() const noexcept { return dpi_; }
    int scale(int dips) const;

    // Where the controls' constructors register them.
    ControlSet& control_set() noexcept { return controls_; }
    Control& control(std::u16string_view name) const { return controls_.find(name); }
    // One per layout row, in table order.
    const std::vector<Control*>& controls() const noexcept { return controls_.all(); }
    // Those with a window, and those the form paints, each in table order once created.
    const std::vector<WindowedControl*>& windowed_controls() const noexcept {
        return controls_.windowed();
    }
    const std::vector<PaintedControl*>& painted_controls() const noexcept {
        return controls_.painted();
    }

    // The form whose top-level window this is, or nullptr.
    static Form* from_window(HWND window);

    // The font of that size and weight at the form's current DPI, owned by the form.
    HFONT font(const FontStyle& style) { return fonts_.font(style); }

    // While busy, the pointer over the form's windows is the wait cursor (see BusyCursor).
    bool busy() const noexcept { return busy_; }
    void set_busy(bool busy);

    // Lays the controls out again from their bounds (after a control moved or changed visibility).
    void place_controls();

protected:
    using MessageHandler = std::function<std::optional<LRESULT>(WPARAM, LPARAM)>;
    void on_message(UINT message, MessageHandler handler);

    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormClose(CloseAction&) {}

private:
    void fit_window_to_client();
    void close_as_asked();
    void close_for_session_end();

    // ---- message handlers: nullopt passes the message on to DefWindowProcW ----
    using Handler = std::optional<LRESULT> (Form::*)(WPARAM, LPARAM);
    struct MessageRoute {
        UINT message;
        Handler handler;
    };
    static std::span<const MessageRoute> message_routes();
    std::optional<LRESULT> on_command(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_draw_item(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_control_color(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_erase_background(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_activate(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_close(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_query_end_session(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_end_session(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_set_cursor(WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> on_dpi_changed(WPARAM wparam, LPARAM lparam);
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    const FormLayout& layout_;
    WindowHandle window_;
    unsigned dpi_ = 96;
    bool main_ = false;
    bool* modal_closed_ = nullptr;
    bool quit_ = false;
    bool closed_for_session_end_ = false;
    bool busy_ = false;
    HWND focus_ = nullptr;
    ControlSet controls_;
    std::map<UINT, MessageHandler> message_handlers_;
    FontCache fonts_;
    GdiObject<HBRUSH> background_;
};

} // namespace t2k
