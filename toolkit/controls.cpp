// The controls' windows, their placement and their owner-drawn faces.
#include "toolkit/controls.h"

#include "platform/win32/wide.h"
#include "toolkit/catch_all.h"
#include "toolkit/form.h"
#include "toolkit/picture.h"
#include "toolkit/text_lines.h"

#include <algorithm>

namespace t2k {

namespace {

DWORD tab_stop(const ControlSpec& spec) {
    return spec.tab_order == no_tab_stop ? 0 : WS_TABSTOP;
}

DWORD static_alignment(TextAlign align) {
    switch (align) {
    case TextAlign::center:
        return SS_CENTER;
    case TextAlign::trailing:
        return SS_RIGHT;
    default:
        return SS_LEFT;
    }
}

RECT scaled_rect(const DipRect& bounds, unsigned dpi) {
    const int x = scale_for_dpi(bounds.x, dpi);
    const int y = scale_for_dpi(bounds.y, dpi);
    return {x, y, x + scale_for_dpi(bounds.width, dpi), y + scale_for_dpi(bounds.height, dpi)};
}

const wchar_t image_class_name[] = L"T2KImageControl";

} // namespace

// ---- Control -------------------------------------------------------------------------------

Control::Control(Form& owner, std::u16string_view name) : owner_(owner), name_(name) {
    owner_.adopt(this);
}

std::u16string window_text(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    const int length = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                      static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

Control::~Control() {
    if (handle_ != nullptr && IsWindow(handle_)) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    }
}

std::u16string Control::text() const {
    return handle_ != nullptr ? window_text(handle_) : std::u16string();
}

void Control::set_text(std::u16string_view text) {
    if (handle_ != nullptr) {
        SetWindowTextW(handle_, wide(std::u16string(text)));
    }
}

void Control::set_bounds(const DipRect& bounds) {
    bounds_ = bounds;
    owner_.place_controls();
}

void Control::set_visible(bool visible) {
    visible_ = visible;
    owner_.place_controls();
}

void Control::click() {
    if (on_click_) {
        on_click_();
    }
}

RECT Control::placement(const DipRect& client_bounds, unsigned dpi) const {
    return scaled_rect(client_bounds, dpi);
}

// ---- Label ---------------------------------------------------------------------------------

Control::WindowStyle Label::window_style() const {
    return {L"STATIC", WS_CHILD | SS_NOPREFIX | static_alignment(spec().align), 0};
}

RECT Label::placement(const DipRect& client_bounds, unsigned dpi) const {
    RECT box = scaled_rect(client_bounds, dpi);
    HDC dc = GetDC(handle_);
    RECT needed{0, 0, 0, 0};
    {
        SelectedObject font(dc, owner().font(spec().font));
        const std::u16string label = text();
        DrawTextW(dc, wide(label), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(handle_, dc);
    const int grow_x = std::max(0L, needed.right - (box.right - box.left));
    switch (spec().align) {
    case TextAlign::trailing:
        box.left -= grow_x;
        break;
    case TextAlign::center:
        box.left -= grow_x / 2;
        box.right += grow_x - grow_x / 2;
        break;
    default:
        box.right += grow_x;
    }
    box.bottom = std::max(box.bottom, box.top + needed.bottom);
    return box;
}

// ---- Edit, Memo, Button ----------------------------------------------------------------------

Control::WindowStyle Edit::window_style() const {
    return {L"EDIT", WS_CHILD | ES_AUTOHSCROLL | tab_stop(spec()), WS_EX_CLIENTEDGE};
}

Control::WindowStyle Memo::window_style() const {
    return {L"EDIT",
            WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                tab_stop(spec()),
            WS_EX_CLIENTEDGE};
}

// The edit control's default limit (about 30,000 characters) would silently cut a pasted list.
void Memo::created() {
    SendMessageW(handle_, EM_SETLIMITTEXT, 0, 0);
}

std::vector<std::u16string> Memo::lines() const {
    return split_lines(text());
}

void Memo::append_line(std::u16string_view line) {
    const std::u16string addition = line_to_append(last_character(), line);
    const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthW(handle_));
    SendMessageW(handle_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide(addition)));
}

// Read from the last line only; u'\n' stands for any line break that ends the text.
char16_t Memo::last_character() const {
    const int length = GetWindowTextLengthW(handle_);
    if (length <= 0) {
        return 0;
    }
    const LRESULT line = SendMessageW(handle_, EM_LINEFROMCHAR, length - 1, 0);
    const LRESULT start = SendMessageW(handle_, EM_LINEINDEX, line, 0);
    const LRESULT shown = SendMessageW(handle_, EM_LINELENGTH, start, 0);
    if (start + shown < length) {
        return u'\n';
    }
    // EM_GETLINE copies at most 65,535 characters: a longer line is read with the whole text.
    if (shown > 0xFFFF) {
        return text().back();
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(std::max<LRESULT>(shown, 1)));
    buffer[0] = static_cast<wchar_t>(shown);
    const LRESULT copied =
        SendMessageW(handle_, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data()));
    return copied > 0 ? static_cast<char16_t>(buffer[copied - 1]) : 0;
}

Control::WindowStyle Button::window_style() const {
    return {L"BUTTON", WS_CHILD | BS_PUSHBUTTON | tab_stop(spec()), 0};
}

// ---- PictureButton -------------------------------------------------------------------------

Control::WindowStyle PictureButton::window_style() const {
    return {L"BUTTON", WS_CHILD | BS_OWNERDRAW | tab_stop(spec()), 0};
}

void PictureButton::dpi_changed(unsigned dpi) {
    picture_ = load_png_resource(spec().picture, scale_for_dpi(bounds().width, dpi),
                                 scale_for_dpi(bounds().height, dpi));
}

void PictureButton::draw_item(const DRAWITEMSTRUCT& item) {
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const int offset = pressed ? 1 : 0;
    draw_pixels(item.hDC, picture_, face.left + offset, face.top + offset);
    if (pressed) {
        DrawEdge(item.hDC, &face, BDR_SUNKENOUTER, BF_RECT);
    }
}

// ---- ImageControl --------------------------------------------------------------------------

Control::WindowStyle ImageControl::window_style() const {
    static const ATOM registered = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = &ImageControl::window_proc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.lpszClassName = image_class_name;
        return RegisterClassExW(&window_class);
    }();
    (void)registered;
    return {image_class_name, WS_CHILD, 0};
}

void ImageControl::invalidate() const {
    if (handle_ != nullptr) {
        InvalidateRect(handle_, nullptr, FALSE);
    }
}

LRESULT CALLBACK ImageControl::window_proc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    auto* self = reinterpret_cast<ImageControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (self != nullptr && self->painter_) {
            RECT client{};
            GetClientRect(window, &client);
            run_guarded([&] { self->painter_(dc, client); });
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace t2k
