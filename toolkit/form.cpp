// Form: native window, controls from the layout, DPI scaling, message dispatch, close and modal
// show.
#include "toolkit/form.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/catch_all.h"
#include "toolkit/message_loop.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/program_icon.h"

#include <algorithm>

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
        if (window != self->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            self->windows_.push_back(window);
        }
        return TRUE;
    }
    HWND except_;
    std::vector<HWND> windows_;
};

} // namespace

Form::Form(const FormLayout& layout) : layout_(layout) {}

Form::~Form() {
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

void Form::adopt(Control* control) {
    controls_.push_back(control);
}

void Form::on_message(UINT message, MessageHandler handler) {
    message_handlers_[message] = std::move(handler);
}

void Form::on_click(std::u16string_view handler_name, std::function<void()> handler) {
    click_handlers_[std::u16string(handler_name)] = std::move(handler);
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
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [name](const Control* c) { return c->name() == name; });
    if (found == controls_.end()) {
        throw Error(u"No control named " + std::u16string(name));
    }
    return **found;
}

Control* Form::control_by_id(int id) const {
    const int index = id - first_control_id;
    if (index < 0 || index >= static_cast<int>(layout_.controls.size())) {
        return nullptr;
    }
    const auto found = std::find_if(controls_.begin(), controls_.end(), [&](const Control* c) {
        return &c->spec() == &layout_.controls[static_cast<std::size_t>(index)];
    });
    return found == controls_.end() ? nullptr : *found;
}

HFONT Form::font(const FontSpec& spec) {
    auto found = fonts_.find(spec);
    if (found == fonts_.end()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        face.lfHeight = -scale(spec.size);
        face.lfWidth = 0;
        face.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
        found = fonts_.emplace(spec, GdiObject<HFONT>(CreateFontIndirectW(&face))).first;
    }
    return found->second.get();
}

// ---- creation ------------------------------------------------------------------------------

void Form::create() {
    const std::u16string caption(layout_.caption);
    HWND window =
        CreateWindowExW(0, MAKEINTATOM(window_class()), wide(caption), form_style(layout_),
                        CW_USEDEFAULT, CW_USEDEFAULT, layout_.client_width, layout_.client_height,
                        nullptr, nullptr, GetModuleHandleW(nullptr), this);
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

void Form::create_controls() {
    std::vector<Control*> declared = std::move(controls_);
    controls_.clear();
    for (const ControlSpec* spec : creation_order(layout_)) {
        const auto found = std::find_if(declared.begin(), declared.end(), [spec](const Control* c) {
            return c->name() == spec->name;
        });
        Control* control = nullptr;
        if (found != declared.end()) {
            control = *found;
            declared.erase(found);
            if (control->kind() != spec->kind) {
                throw Error(u"Control " + control->name() + u" is not of the layout's kind");
            }
        } else {
            control = nullptr; // made below; its constructor adopts it into controls_
            std::unique_ptr<Control> made;
            switch (spec->kind) {
            case ControlKind::label:
                made = std::make_unique<Label>(*this, spec->name);
                break;
            case ControlKind::edit:
                made = std::make_unique<Edit>(*this, spec->name);
                break;
            case ControlKind::memo:
                made = std::make_unique<Memo>(*this, spec->name);
                break;
            case ControlKind::button:
                made = std::make_unique<Button>(*this, spec->name);
                break;
            case ControlKind::picture_button:
                made = std::make_unique<PictureButton>(*this, spec->name);
                break;
            case ControlKind::image:
                made = std::make_unique<ImageControl>(*this, spec->name);
                break;
            case ControlKind::layout:
                made = std::make_unique<Layout>(*this, spec->name);
                break;
            }
            controls_.pop_back(); // adopted again below, in creation order
            control = made.get();
            owned_.push_back(std::move(made));
        }
        control->spec_ = spec;
        control->bounds_ = spec->bounds;
        controls_.push_back(control);
    }
    if (!declared.empty()) {
        throw Error(u"The layout has no control " + declared.front()->name());
    }
    for (Control* control : controls_) {
        if (!control->spec().parent.empty()) {
            control->parent_ = &this->control(control->spec().parent);
        }
        if (!control->spec().on_click.empty()) {
            const auto handler = click_handlers_.find(control->spec().on_click);
            if (handler == click_handlers_.end()) {
                throw Error(u"No handler " + std::u16string(control->spec().on_click));
            }
            control->on_click_ = handler->second;
        }
        create_control_window(*control, control_id(layout_, control->name()));
    }
    apply_fonts();
    place_controls();
}

void Form::create_control_window(Control& control, int id) {
    const Control::WindowStyle style = control.window_style();
    if (style.window_class == nullptr) {
        return; // a layout: no window of its own
    }
    const std::u16string text(control.spec().text);
    control.handle_ = CreateWindowExW(
        style.ex_style, style.window_class, wide(text), style.style, 0, 0, 0, 0, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control.handle_ == nullptr) {
        throw Error(u"Cannot create the control " + control.name());
    }
    SetWindowLongPtrW(control.handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.created();
}

void Form::apply_fonts() {
    for (Control* control : controls_) {
        if (control->handle() != nullptr) {
            SendMessageW(control->handle(), WM_SETFONT,
                         reinterpret_cast<WPARAM>(font(control->spec().font)), TRUE);
        }
        control->dpi_changed(dpi_);
    }
}

void Form::place_controls() {
    for (Control* control : controls_) {
        if (control->handle() == nullptr) {
            continue;
        }
        DipRect bounds = control->bounds();
        bool shown = control->visible();
        for (const Control* parent = control->parent(); parent != nullptr;
             parent = parent->parent()) {
            bounds.x += parent->bounds().x;
            bounds.y += parent->bounds().y;
            shown = shown && parent->visible();
        }
        const RECT place = control->placement(bounds, dpi_);
        SetWindowPos(control->handle(), nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
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
        if (control->handle() != nullptr && control->spec().tab_order != no_tab_stop) {
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

void Form::handle_close() {
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
void Form::handle_session_end() {
    if (!main_ || closed_for_session_end_) {
        return;
    }
    closed_for_session_end_ = true;
    CloseAction action = CloseAction::quit;
    FormClose(action);
}

void Form::handle_dpi_changed(unsigned dpi, const RECT& suggested) {
    dpi_ = dpi;
    fonts_.clear();
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fit_window_to_client();
    apply_fonts();
    place_controls();
    InvalidateRect(handle(), nullptr, TRUE);
}

void Form::set_busy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// ---- dispatch ------------------------------------------------------------------------------

LRESULT Form::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (const auto handler = message_handlers_.find(message); handler != message_handlers_.end()) {
        if (const auto result = handler->second(wparam, lparam)) {
            return *result;
        }
    }
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wparam) == BN_CLICKED || HIWORD(wparam) == BN_DOUBLECLICKED) {
            if (Control* control = control_by_id(LOWORD(wparam))) {
                control->click();
                return 0;
            }
        }
        break;
    case WM_DRAWITEM:
        if (Control* control = control_by_id(static_cast<int>(wparam))) {
            control->draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
        if (Control* control = control_by_id(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)))) {
            const ControlSpec& spec = control->spec();
            if (spec.text_color != no_color || spec.background_color != no_color) {
                HDC dc = reinterpret_cast<HDC>(wparam);
                if (spec.text_color != no_color) {
                    SetTextColor(dc, colorref(spec.text_color));
                }
                const std::uint32_t back = spec.background_color != no_color
                                               ? spec.background_color
                                               : layout_.background_color;
                if (back == no_color) {
                    SetBkMode(dc, TRANSPARENT);
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
                }
                SetBkColor(dc, colorref(back));
                auto& brush = control_brushes_[back];
                if (!brush) {
                    brush = GdiObject<HBRUSH>(CreateSolidBrush(colorref(back)));
                }
                return reinterpret_cast<LRESULT>(brush.get());
            }
        }
        break;
    case WM_ERASEBKGND:
        if (background_) {
            RECT client{};
            GetClientRect(handle(), &client);
            FillRect(reinterpret_cast<HDC>(wparam), &client, background_.get());
            return 1;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(handle(), focus)) {
                focus_ = focus;
            }
        } else if (focus_ != nullptr && IsWindow(focus_)) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        handle_close();
        return 0;
    case WM_QUERYENDSESSION:
        handle_session_end();
        return TRUE;
    case WM_ENDSESSION:
        if (wparam != 0) {
            handle_session_end();
        } else {
            closed_for_session_end_ = false; // the session goes on; a later end saves again
        }
        return 0;
    case WM_SETCURSOR:
        // Children ask their parent first, so this covers every control of the form.
        if (busy_ && LOWORD(lparam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_DPICHANGED:
        handle_dpi_changed(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle(), message, wparam, lparam);
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
