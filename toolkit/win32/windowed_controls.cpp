// The windowed controls: their windows, placement, reflected messages and owner-drawn faces.
#include "toolkit/win32/windowed_controls.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/form.h"
#include "toolkit/win32/picture.h"
#include "toolkit/text_lines.h"

#include <algorithm>

namespace t2k {

namespace {

DWORD tab_stop(const ControlRow& row) {
    return row.tab_order == no_tab_stop ? 0 : WS_TABSTOP;
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

COLORREF colorref(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace

std::u16string window_text(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    const int length = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                      static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// ---- WindowedControl -----------------------------------------------------------------------

WindowedControl::WindowedControl(Form& owner, const ControlRow& row) : Control(owner, row) {
    owner.control_set().adopt_window(*this);
}

// Messages the window still sends while it goes no longer reach this control.
WindowedControl::~WindowedControl() {
    SetWindowLongPtrW(handle(), GWLP_USERDATA, 0);
}

WindowedControl* WindowedControl::child_of(HWND parent, HWND window) {
    if (window == nullptr || GetParent(window) != parent) {
        return nullptr;
    }
    return reinterpret_cast<WindowedControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void WindowedControl::create(HWND parent, int id) {
    const WindowStyle style = window_style();
    const std::u16string text(row().text);
    window_ = WindowHandle(CreateWindowExW(
        style.ex_style, style.window_class, wide(text), style.style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
    if (!window_) {
        throw Error(u"Cannot create the control " + std::u16string(name()));
    }
    SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    created();
}

std::u16string WindowedControl::text() const {
    return window_text(handle());
}

void WindowedControl::set_text(std::u16string_view text) {
    SetWindowTextW(handle(), wide(std::u16string(text)));
}

void WindowedControl::rescale(unsigned dpi, HFONT font) {
    font_ = font;
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    dpi_changed(dpi);
}

void WindowedControl::place(unsigned dpi) {
    const ClientPlacement placement = client_placement();
    const RECT place = this->placement(placement.bounds, dpi);
    SetWindowPos(handle(), nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE |
                     (placement.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

RECT WindowedControl::placement(const DipRect& client_bounds, unsigned dpi) const {
    return scaled_rect(client_bounds, dpi);
}

// The colours of the control's row; the system's where the row gives none. Without a colour of
// its own the background is the form's.
std::optional<LRESULT> WindowedControl::on_control_color(HDC dc) {
    if (row().text_color == no_color && row().background_color == no_color) {
        return std::nullopt;
    }
    if (row().text_color != no_color) {
        SetTextColor(dc, colorref(row().text_color));
    }
    const std::uint32_t back = row().background_color != no_color
                                   ? row().background_color
                                   : owner().layout().background_color;
    if (back == no_color) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, colorref(back));
    if (!background_) {
        background_ = GdiObject<HBRUSH>(CreateSolidBrush(colorref(back)));
    }
    return reinterpret_cast<LRESULT>(background_.get());
}

// ---- Label ---------------------------------------------------------------------------------

WindowedControl::WindowStyle Label::window_style() const {
    return {L"STATIC", WS_CHILD | SS_NOPREFIX | static_alignment(row().align), 0};
}

RECT Label::placement(const DipRect& client_bounds, unsigned dpi) const {
    RECT box = scaled_rect(client_bounds, dpi);
    RECT needed{0, 0, 0, 0};
    {
        const WindowDc dc = window_dc(handle());
        const SelectedObject selected(dc.get().dc, font());
        const std::u16string label = text();
        DrawTextW(dc.get().dc, wide(label), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    const int grow_x = std::max(0L, needed.right - (box.right - box.left));
    switch (row().align) {
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

WindowedControl::WindowStyle Edit::window_style() const {
    return {L"EDIT", WS_CHILD | ES_AUTOHSCROLL | tab_stop(row()), WS_EX_CLIENTEDGE};
}

// No word wrap: every line of text shows as one line (a whole path, say), scrolled sideways when
// it is longer than the box.
WindowedControl::WindowStyle Memo::window_style() const {
    return {L"EDIT",
            WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                ES_WANTRETURN | tab_stop(row()),
            WS_EX_CLIENTEDGE};
}

// The edit control's default limit (about 30,000 characters) would silently cut a pasted list.
void Memo::created() {
    SendMessageW(handle(), EM_SETLIMITTEXT, 0, 0);
}

std::vector<std::u16string> Memo::lines() const {
    return split_lines(text());
}

void Memo::append_line(std::u16string_view line) {
    append_at_end(line_to_append(last_character(), line));
}

void Memo::append_lines(const std::vector<std::u16string>& lines) {
    std::u16string addition;
    char16_t last = last_character();
    for (const std::u16string& line : lines) {
        addition += line_to_append(last, line);
        last = u'\n';
    }
    append_at_end(addition);
}

void Memo::append_at_end(const std::u16string& addition) {
    const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthW(handle()));
    SendMessageW(handle(), EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide(addition)));
}

// Read from the last line only; u'\n' stands for any line break that ends the text.
char16_t Memo::last_character() const {
    const int length = GetWindowTextLengthW(handle());
    if (length <= 0) {
        return 0;
    }
    const LRESULT line = SendMessageW(handle(), EM_LINEFROMCHAR, length - 1, 0);
    const LRESULT start = SendMessageW(handle(), EM_LINEINDEX, line, 0);
    const LRESULT shown = SendMessageW(handle(), EM_LINELENGTH, start, 0);
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
        SendMessageW(handle(), EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data()));
    return copied > 0 ? static_cast<char16_t>(buffer[copied - 1]) : 0;
}

WindowedControl::WindowStyle Button::window_style() const {
    return {L"BUTTON", WS_CHILD | BS_PUSHBUTTON | tab_stop(row()), 0};
}

std::optional<LRESULT> Button::on_command(WORD notification) {
    if (notification != BN_CLICKED && notification != BN_DOUBLECLICKED) {
        return std::nullopt;
    }
    click();
    return 0;
}

// ---- PictureButton -------------------------------------------------------------------------

WindowedControl::WindowStyle PictureButton::window_style() const {
    return {L"BUTTON", WS_CHILD | BS_OWNERDRAW | tab_stop(row()), 0};
}

void PictureButton::dpi_changed(unsigned dpi) {
    picture_ = load_png_resource(row().picture, scale_for_dpi(bounds().width, dpi),
                                 scale_for_dpi(bounds().height, dpi));
}

std::optional<LRESULT> PictureButton::on_draw_item(const DRAWITEMSTRUCT& item) {
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const int offset = pressed ? 1 : 0;
    draw_pixels(item.hDC, picture_, face.left + offset, face.top + offset);
    if (pressed) {
        DrawEdge(item.hDC, &face, BDR_SUNKENOUTER, BF_RECT);
    }
    return TRUE;
}

// ---- RoundedButton -------------------------------------------------------------------------

void RoundedButton::dpi_changed(unsigned dpi) {
    const int width = scale_for_dpi(bounds().width, dpi);
    const int height = scale_for_dpi(bounds().height, dpi);
    const int diameter = 2 * scale_for_dpi(corner_radius_, dpi);
    // The window owns the region once it is set.
    SetWindowRgn(handle(), CreateRoundRectRgn(0, 0, width + 1, height + 1, diameter, diameter),
                 TRUE);
}

} // namespace t2k
