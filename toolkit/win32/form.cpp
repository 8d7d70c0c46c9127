// Form: native window, controls from the layout, DPI scaling, message dispatch, close and modal
// show.
#include "toolkit/win32/form.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/catch_all.h"
#include "toolkit/win32/message_loop.h"
#include "platform/win32/system_functions.h"
#include "toolkit/win32/program_icon.h"

#include <algorithm>
#include <stdexcept>

namespace t2k {

namespace {

const wchar_t form_class_name[] = L"T2KForm";

} // namespace

ATOM Form::window_class() {
    // The program's icon at the system's big and small icon sizes (which follow its DPI), kept as
    // long as the class; an exe without an icon shows the system's.
    static const IconHandle big_icon = load_program_icon(GetSystemMetrics(SM_CXICON));
    static const IconHandle small_icon = load_program_icon(GetSystemMetrics(SM_CXSMICON));
    static const ATOM atom = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.style = CS_DBLCLKS;
        window_class.lpfnWndProc = &Form::window_proc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.hIcon = big_icon ? big_icon.get() : LoadIconW(nullptr, IDI_APPLICATION);
        window_class.hIconSm = small_icon.get();
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = form_class_name;
        window_class.cbWndExtra = DLGWINDOWEXTRA;
        return RegisterClassExW(&window_class);
    }();
    return atom;
}

namespace {

DWORD form_style(const FormLayout& layout) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (layout.minimize_box ? WS_MINIMIZEBOX : 0);
}

COLORREF colorref(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Windows that are switched off while a modal form runs, switched on again in reverse order.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except) : except_(except) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::disable,
                          reinterpret_cast<LPARAM>(this));
    }
    ~DisabledWindows() {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            EnableWindow(*it, TRUE);
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK disable(HWND window, LPARAM self_pointer) {
        auto* self = reinterpret_cast<DisabledWindows*>(self_pointer);
        // A window not recorded would stay disabled: the enumeration stops at a failure.
        const bool done = run_guarded([&] {
            if (window != self->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
                self->windows_.push_back(window);
                EnableWindow(window, FALSE);
            }
        });
        return done ? TRUE : FALSE;
    }
    HWND except_;
    std::vector<HWND> windows_;
};

} // namespace

Form::Form(const FormLayout& layout) : layout_(layout), controls_(layout.controls.size()) {}

Form::~Form() {
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

// Each control takes the place of its row, so the form creates them in table order.
void Form::adopt(Control& control) {
    const auto index = &control.row() - layout_.controls.data();
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(controls_.size()) ||
        controls_[static_cast<std::size_t>(index)] != nullptr) {
        throw std::logic_error("a control's row is not a free row of its form's layout");
    }
    controls_[static_cast<std::size_t>(index)] = &control;
}

void Form::on_message(UINT message, MessageHandler handler) {
    message_handlers_[message] = std::move(handler);
}

Form* Form::from_window(HWND window) {
    if (window == nullptr || GetClassLongPtrW(window, GCW_ATOM) != window_class()) {
        return nullptr;
    }
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int Form::scale(int dips) const {
    return scale_for_dpi(dips, dpi_);
}

Control& Form::control(std::u16string_view name) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [name](const Control* c) {
        return c != nullptr && c->name() == name;
    });
    if (found == controls_.end()) {
        throw Error(u"No control named " + std::u16string(name));
    }
    return **found;
}

Control* Form::control_by_id(int id) const {
    const int index = id - first_control_id;
    if (index < 0 || index >= static_cast<int>(controls_.size())) {
        return nullptr;
    }
    return controls_[static_cast<std::size_t>(index)];
}

HFONT Form::font(const FontStyle& style) {
    auto found = fonts_.find(style);
    if (found == fonts_.end()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        face.lfHeight = -scale(style.size);
        face.lfWidth = 0;
        face.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
        found = fonts_.emplace(style, GdiObject<HFONT>(CreateFontIndirectW(&face))).first;
    }
    return found->second.get();
}

// ---- creation ------------------------------------------------------------------------------

void Form::create(HWND owner) {
    const std::u16string caption(layout_.caption);
    HWND window =
        CreateWindowExW(0, MAKEINTATOM(window_class()), wide(caption), form_style(layout_),
                        CW_USEDEFAULT, CW_USEDEFAULT, layout_.client_width, layout_.client_height,
                        owner, nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        throw Error(u"Cannot create the window " + caption);
    }
    dpi_ = window_dpi(window);
    if (layout_.background_color != no_color) {
        background_ = GdiObject<HBRUSH>(CreateSolidBrush(colorref(layout_.background_color)));
    }
    fit_window_to_client();
    create_controls();
    run_guarded([this] { FormCreate(); });
}

void Form::fit_window_to_client() {
    RECT frame{0, 0, scale(layout_.client_width), scale(layout_.client_height)};
    adjust_window_rect_for_dpi(frame, form_style(layout_), 0, dpi_);
    const auto resize = [this](int width, int height) {
        SetWindowPos(window_.get(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    resize(frame.right - frame.left, frame.bottom - frame.top);
    // Where the frame the system draws differs from what it computes for this DPI (per-monitor
    // v1, as Wine has it), the client area is corrected by the difference.
    RECT window{}, client{};
    GetWindowRect(window_.get(), &window);
    GetClientRect(window_.get(), &client);
    const int missing_width = scale(layout_.client_width) - client.right;
    const int missing_height = scale(layout_.client_height) - client.bottom;
    if (missing_width != 0 || missing_height != 0) {
        resize(window.right - window.left + missing_width,
               window.bottom - window.top + missing_height);
    }
}

// In table order: parents come before their children, tab stops in tab order.
void Form::create_controls() {
    for (std::size_t row = 0; row < controls_.size(); ++row) {
        Control* control = controls_[row];
        if (control == nullptr) {
            throw Error(u"The form has no control for " +
                        std::u16string(layout_.controls[row].name));
        }
        if (control->kind() != control->row().kind) {
            throw Error(u"Control " + std::u16string(control->name()) +
                        u" is not of the layout's kind");
        }
        if (!control->row().parent.empty()) {
            control->parent_ = &this->control(control->row().parent);
        }
        create_control_window(*control);
    }
    apply_fonts();
    place_controls();
}

void Form::create_control_window(Control& control) {
    const Control::WindowStyle style = control.window_style();
    if (style.window_class == nullptr) {
        return; // windowless: a layout, or painted by the form
    }
    const std::u16string text(control.row().text);
    const int id = control_id(layout_.controls, control.row());
    control.handle_ = CreateWindowExW(
        style.ex_style, style.window_class, wide(text), style.style, 0, 0, 0, 0, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control.handle_ == nullptr) {
        throw Error(u"Cannot create the control " + std::u16string(control.name()));
    }
    SetWindowLongPtrW(control.handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.created();
}

void Form::apply_fonts() {
    for (Control* control : controls_) {
        if (control->handle() != nullptr) {
            SendMessageW(control->handle(), WM_SETFONT,
                         reinterpret_cast<WPARAM>(font(control->row().font)), TRUE);
        }
        control->dpi_changed(dpi_);
    }
}

void Form::place_controls() {
    for (Control* control : controls_) {
        if (control->handle() == nullptr) {
            continue;
        }
        const ClientPlacement placement = control->client_placement();
        const RECT place = control->placement(placement.bounds, dpi_);
        SetWindowPos(control->handle(), nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE |
                         (placement.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

// ---- showing and closing -------------------------------------------------------------------

std::u16string Form::caption() const {
    return window_text(handle());
}

void Form::set_caption(std::u16string_view caption) {
    SetWindowTextW(handle(), wide(std::u16string(caption)));
}

void Form::focus_first_tab_stop() {
    for (Control* control : controls_) {
        if (control->handle() != nullptr && control->row().tab_order != no_tab_stop) {
            focus_ = control->handle();
            SetFocus(focus_);
            return;
        }
    }
}

void Form::show() {
    FormShow();
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    focus_first_tab_stop();
}

void Form::hide() {
    ShowWindow(handle(), SW_HIDE);
}

void Form::close() {
    SendMessageW(handle(), WM_CLOSE, 0, 0);
}

void Form::show_modal() {
    modal_ = true;
    modal_done_ = false;
    bool quit_seen = false;
    {
        DisabledWindows others(handle());
        show();
        while (!modal_done_ && IsWindow(handle())) {
            if (!process_next_message()) {
                quit_seen = true;
                break;
            }
        }
    } // the owner is enabled again before this form hides, or the focus would be lost
    hide();
    modal_ = false;
    if (quit_seen) {
        PostQuitMessage(0);
    }
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
        if (modal_) {
            modal_done_ = true;
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

Control* Form::cancel_control() const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [](const Control* c) {
        return c != nullptr && c->row().cancel;
    });
    return found != controls_.end() ? *found : nullptr;
}

// Escape comes as the command IDCANCEL (from the dialog keys of the message loop); it presses the
// form's cancel button, if the form has one.
std::optional<LRESULT> Form::on_command(WPARAM wparam, LPARAM) {
    if (HIWORD(wparam) != BN_CLICKED && HIWORD(wparam) != BN_DOUBLECLICKED) {
        return std::nullopt;
    }
    Control* control =
        LOWORD(wparam) == IDCANCEL ? cancel_control() : control_by_id(LOWORD(wparam));
    if (control == nullptr) {
        return std::nullopt;
    }
    control->click();
    return 0;
}

std::optional<LRESULT> Form::on_draw_item(WPARAM wparam, LPARAM lparam) {
    Control* control = control_by_id(static_cast<int>(wparam));
    if (control == nullptr) {
        return std::nullopt;
    }
    control->draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    return TRUE;
}

// A label's colours from its row; the system's where the row gives none.
std::optional<LRESULT> Form::on_control_color(WPARAM wparam, LPARAM lparam) {
    const Control* control = control_by_id(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
    if (control == nullptr) {
        return std::nullopt;
    }
    const ControlRow& row = control->row();
    if (row.text_color == no_color && row.background_color == no_color) {
        return std::nullopt;
    }
    HDC dc = reinterpret_cast<HDC>(wparam);
    if (row.text_color != no_color) {
        SetTextColor(dc, colorref(row.text_color));
    }
    return reinterpret_cast<LRESULT>(control_background(dc, row));
}

HBRUSH Form::control_background(HDC dc, const ControlRow& row) {
    const std::uint32_t back =
        row.background_color != no_color ? row.background_color : layout_.background_color;
    if (back == no_color) {
        SetBkMode(dc, TRANSPARENT);
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    SetBkColor(dc, colorref(back));
    auto& brush = control_brushes_[back];
    if (!brush) {
        brush = GdiObject<HBRUSH>(CreateSolidBrush(colorref(back)));
    }
    return brush.get();
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

// The suggested position, the client size at the new DPI, and the controls laid out again.
std::optional<LRESULT> Form::on_dpi_changed(WPARAM wparam, LPARAM lparam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
    dpi_ = LOWORD(wparam);
    fonts_.clear();
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fit_window_to_client();
    apply_fonts();
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
