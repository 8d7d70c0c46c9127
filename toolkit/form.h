// Form: the base of every top-level window, built from a layout table, with handlers under the
// catch-all.
//
// How a new form is written:
//   1. Its layout is a FormLayout in resources/ (caption, client size in device-independent
//      pixels, one ControlSpec row per control: kind, name, text, bounds, anchors, font,
//      alignment, tab order, click-handler name, picture, parent layout, colours).
//   2. The class derives from Form, passes the layout to Form's constructor and declares each
//      control it uses as a member named as in the layout, constructed with (*this, u"Name"):
//          class TExample : public Form {
//          public:
//              TExample();
//              Label Label1{*this, u"Label1"};
//              Button OkButton{*this, u"OkButton"};
//          private:
//              void FormCreate() override;
//              void OkButtonClick();
//          };
//          TExample::TExample() : Form(example_layout) {
//              on_click(u"OkButtonClick", [this] { OkButtonClick(); });
//              on_message(WM_TIMER, [this](WPARAM, LPARAM) -> std::optional<LRESULT> { ...; return
//              0; });
//          }
//      Rows without a member get a control owned by the form (reach it with control(name)).
//   3. create() makes the native window (hidden), the controls in tab order and runs FormCreate.
//      FormShow runs on every show, FormClose on every close with the default action (quit for the
//      application's main form, hide for the others; set CloseAction::none to keep it open).
//   4. on_message registers a handler for any message (WM_PAINT, WM_TIMER, ...): it runs before
//      the form's own handling and returns nullopt to let that go on. ImageControl::set_painter
//      paints a custom surface; draw_pixels (picture.h) puts a pixel buffer on a DC.
//   5. show_modal() shows the form with the program's other windows disabled and returns when the
//      form is closed (CloseButtonClick can simply call close()).
// Every handler runs under the catch-all: an escaping error ends the handler and shows the error
// box, and the program goes on.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/layout.h"
#include "toolkit/win32_handles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
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

    void create();
    HWND handle() const noexcept { return window_.get(); }
    const FormLayout& layout() const noexcept { return layout_; }

    void show();
    void hide();
    // Asks the form to close, as the title bar's close box does.
    void close();
    // Shows the form modally and returns once it is closed.
    void show_modal();
    bool is_modal() const noexcept { return modal_; }
    // The main form has closed, so the application's event loop ends.
    bool has_quit() const noexcept { return quit_; }

    // The application's main form quits when closed; the others hide.
    void set_main(bool main) noexcept { main_ = main; }

    std::u16string caption() const;
    void set_caption(std::u16string_view caption);

    unsigned dpi() const noexcept { return dpi_; }
    int scale(int dips) const;

    Control& control(std::u16string_view name) const;
    const std::vector<Control*>& controls() const noexcept { return controls_; }

    // The form whose top-level window this is, or nullptr.
    static Form* from_window(HWND window);

    // The font of that size and weight at the form's current DPI, owned by the form.
    HFONT font(const FontSpec& spec);

    // While busy, the pointer over the form's windows is the wait cursor (see BusyCursor).
    bool busy() const noexcept { return busy_; }
    void set_busy(bool busy);

    // Lays the controls out again from their bounds (after a control moved or changed visibility).
    void place_controls();

protected:
    using MessageHandler = std::function<std::optional<LRESULT>(WPARAM, LPARAM)>;
    void on_message(UINT message, MessageHandler handler);
    void on_click(std::u16string_view handler_name, std::function<void()> handler);

    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormClose(CloseAction&) {}

private:
    friend class Control;
    void adopt(Control* control);
    void create_controls();
    void create_control_window(Control& control, int id);
    void fit_window_to_client();
    void apply_fonts();
    void handle_close();
    void handle_session_end();
    void handle_dpi_changed(unsigned dpi, const RECT& suggested);
    void focus_first_tab_stop();
    Control* control_by_id(int id) const;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    static ATOM window_class();
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    const FormLayout& layout_;
    WindowHandle window_;
    unsigned dpi_ = 96;
    bool main_ = false;
    bool modal_ = false;
    bool modal_done_ = false;
    bool quit_ = false;
    bool closed_for_session_end_ = false;
    bool busy_ = false;
    HWND focus_ = nullptr;
    std::vector<Control*> controls_;              // in creation order once created
    std::vector<std::unique_ptr<Control>> owned_; // rows no member declared
    std::map<UINT, MessageHandler> message_handlers_;
    std::map<std::u16string, std::function<void()>, std::less<>> click_handlers_;
    std::map<FontSpec, GdiObject<HFONT>> fonts_;
    GdiObject<HBRUSH> background_;
    std::map<std::uint32_t, GdiObject<HBRUSH>> control_brushes_;
};

} // namespace t2k
