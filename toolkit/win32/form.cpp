// Form: the native window, the controls made and placed in table order, the message routes, and
// closing.
#include "toolkit/win32/form.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/catch_all.h"
#include "toolkit/win32/client_size.h"
#include "platform/win32/system_functions.h"
#include "toolkit/win32/painted_controls.h"
#include "toolkit/win32/form_class.h"
#include "toolkit/win32/windowed_controls.h"

namespace t2k {

namespace {

DWORD form_style(const FormLayout& layout) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (layout.minimize_box ? WS_MINIMIZEBOX : 0);
}

COLORREF colorref(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace

Form::Form(const FormLayout& layout) : layout_(layout), controls_(layout) {}

Form::~Form() {
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

void Form::on_message(UINT message, MessageHandler handler) {
    message_handlers_[message] = std::move(handler);
}

Form* Form::from_window(HWND window) {
    if (window == nullptr ||
        GetClassLongPtrW(window, GCW_ATOM) != form_window_class(&window_proc)) {
        return nullptr;
    }
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int Form::scale(int dips) const {
    return scale_for_dpi(dips, dpi_);
}

// ---- creation ------------------------------------------------------------------------------

void Form::create(HWND owner) {
    const std::u16string caption(layout_.caption);
    HWND window =
        CreateWindowExW(0, MAKEINTATOM(form_window_class(&window_proc)), wide(caption),
                        form_style(layout_), CW_USEDEFAULT, CW_USEDEFAULT, layout_.client_width,
                        layout_.client_height, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        throw Error(u"Cannot create the window " + caption);
    }
    dpi_ = window_dpi(window);
    fonts_ = FontCache(dpi_);
    if (layout_.background_color != no_color) {
        background_ = GdiObject<HBRUSH>(CreateSolidBrush(colorref(layout_.background_color)));
    }
    fit_window_to_client();
    controls_.create(handle(), fonts_);
    run_guarded([this] { FormCreate(); });
}

void Form::fit_window_to_client() {
    t2k::fit_window_to_client(handle(), form_style(layout_), scale(layout_.client_width),
                              scale(layout_.client_height), dpi_);
}

// ---- showing and closing -------------------------------------------------------------------

std::u16string Form::caption() const {
    return window_text(handle());
}

void Form::set_caption(std::u16string_view caption) {
    SetWindowTextW(handle(), wide(std::u16string(caption)));
}

void Form::place_controls() {
    controls_.place(dpi_);
}

void Form::show() {
    FormShow();
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    if (WindowedControl* first = controls_.first_tab_stop()) {
        focus_ = first->handle();
        SetFocus(focus_);
    }
}

void Form::hide() {
    ShowWindow(handle(), SW_HIDE);
}

void Form::close() {
    SendMessageW(handle(), WM_CLOSE, 0, 0);
}

void Form::close_as_asked() {
    CloseAction action = main_ ? CloseAction::quit : CloseAction::hide;
    FormClose(action);
    switch (action) {
    case CloseAction::quit:
        quit_ = true;
        PostMessageW(handle(), WM_NULL, 0, 0); // wakes the event loop so it sees the end
        break;
    case CloseAction::hide:
        if (modal_closed_ != nullptr) {
            *modal_closed_ = true;
        } else {
            hide();
        }
        break;
    case CloseAction::none:
        break;
    }
}

// Log-off or shut-down: the main form's close handler runs, once, before the session ends.
void Form::close_for_session_end() {
    if (!main_ || closed_for_session_end_) {
        return;
    }
    closed_for_session_end_ = true;
    CloseAction action = CloseAction::quit;
    FormClose(action);
}

void Form::set_busy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// ---- dispatch ------------------------------------------------------------------------------

std::span<const Form::MessageRoute> Form::message_routes() {
    static constexpr MessageRoute routes[] = {
        {WM_COMMAND, &Form::on_command},
        {WM_DRAWITEM, &Form::on_draw_item},
        {WM_CTLCOLORSTATIC, &Form::on_control_color},
        {WM_CTLCOLOREDIT, &Form::on_control_color},
        {WM_CTLCOLORBTN, &Form::on_control_color},
        {WM_ERASEBKGND, &Form::on_erase_background},
        {WM_ACTIVATE, &Form::on_activate},
        {WM_CLOSE, &Form::on_close},
        {WM_QUERYENDSESSION, &Form::on_query_end_session},
        {WM_ENDSESSION, &Form::on_end_session},
        {WM_SETCURSOR, &Form::on_set_cursor},
        {WM_DPICHANGED, &Form::on_dpi_changed},
    };
    return routes;
}

// The form's own handler for registered messages first, then the form's, then the default.
LRESULT Form::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (const auto handler = message_handlers_.find(message); handler != message_handlers_.end()) {
        if (const auto result = handler->second(wparam, lparam)) {
            return *result;
        }
    }
    for (const MessageRoute& route : message_routes()) {
        if (route.message != message) {
            continue;
        }
        if (const auto result = (this->*route.handler)(wparam, lparam)) {
            return *result;
        }
        break;
    }
    return DefWindowProcW(handle(), message, wparam, lparam);
}

// Escape comes as the command IDCANCEL (from the dialog keys of the message loop); it presses the
// form's cancel button, if the form has one. Other commands go to the control that sent them.
std::optional<LRESULT> Form::on_command(WPARAM wparam, LPARAM lparam) {
    const WORD notification = HIWORD(wparam);
    if (LOWORD(wparam) == IDCANCEL && notification == BN_CLICKED) {
        Control* cancel = controls_.cancel_control();
        if (cancel == nullptr) {
            return std::nullopt;
        }
        cancel->click();
        return 0;
    }
    WindowedControl* control = WindowedControl::child_of(handle(), reinterpret_cast<HWND>(lparam));
    return control != nullptr ? control->on_command(notification) : std::nullopt;
}

std::optional<LRESULT> Form::on_draw_item(WPARAM, LPARAM lparam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    WindowedControl* control = WindowedControl::child_of(handle(), item.hwndItem);
    return control != nullptr ? control->on_draw_item(item) : std::nullopt;
}

std::optional<LRESULT> Form::on_control_color(WPARAM wparam, LPARAM lparam) {
    WindowedControl* control = WindowedControl::child_of(handle(), reinterpret_cast<HWND>(lparam));
    return control != nullptr ? control->on_control_color(reinterpret_cast<HDC>(wparam))
                              : std::nullopt;
}

std::optional<LRESULT> Form::on_erase_background(WPARAM wparam, LPARAM) {
    if (!background_) {
        return std::nullopt;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(reinterpret_cast<HDC>(wparam), &client, background_.get());
    return 1;
}

// The focused control is remembered on leaving and focused again on coming back.
std::optional<LRESULT> Form::on_activate(WPARAM wparam, LPARAM) {
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle(), focus)) {
            focus_ = focus;
        }
        return std::nullopt;
    }
    if (focus_ == nullptr || !IsWindow(focus_)) {
        return std::nullopt;
    }
    SetFocus(focus_);
    return 0;
}

std::optional<LRESULT> Form::on_close(WPARAM, LPARAM) {
    close_as_asked();
    return 0;
}

std::optional<LRESULT> Form::on_query_end_session(WPARAM, LPARAM) {
    close_for_session_end();
    return TRUE;
}

std::optional<LRESULT> Form::on_end_session(WPARAM ending, LPARAM) {
    if (ending != 0) {
        close_for_session_end();
    } else {
        closed_for_session_end_ = false; // the session goes on; a later end saves again
    }
    return 0;
}

// Children ask their parent first, so this covers every control of the form.
std::optional<LRESULT> Form::on_set_cursor(WPARAM, LPARAM lparam) {
    if (!busy_ || LOWORD(lparam) != HTCLIENT) {
        return std::nullopt;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
}

// The fonts of the new DPI handed to the controls before the old ones go, then the suggested
// position, the client size at the new DPI, and the controls laid out again.
std::optional<LRESULT> Form::on_dpi_changed(WPARAM wparam, LPARAM lparam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
    dpi_ = LOWORD(wparam);
    FontCache fonts(dpi_);
    controls_.hand_out_fonts(fonts);
    fonts_ = std::move(fonts);
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fit_window_to_client();
    place_controls();
    InvalidateRect(handle(), nullptr, TRUE);
    return 0;
}

LRESULT CALLBACK Form::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        form->window_ = WindowHandle(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    LRESULT result = 0;
    if (!run_guarded([&] { result = form->handle_message(message, wparam, lparam); })) {
        result = 0;
    }
    return result;
}

} // namespace t2k
