// The controls' windows, their placement and their owner-drawn faces.
#include "toolkit/win32/controls.h"

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

} // namespace

// ---- Control -------------------------------------------------------------------------------

Control::Control(Form& owner, const ControlRow& row)
    : owner_(owner), row_(row), bounds_(row.bounds) {
    owner_.adopt(*this);
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
    return handle_ != nullptr ? window_text(handle_) : text_;
}

void Control::set_text(std::u16string_view text) {
    if (handle_ != nullptr) {
        SetWindowTextW(handle_, wide(std::u16string(text)));
    } else {
        text_ = text;
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

ClientPlacement Control::client_placement() const {
    ClientPlacement placement{bounds_, visible_};
    for (const Control* parent = parent_; parent != nullptr; parent = parent->parent_) {
        placement.bounds.x += parent->bounds_.x;
        placement.bounds.y += parent->bounds_.y;
        placement.shown = placement.shown && parent->visible_;
    }
    return placement;
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
    return {L"STATIC", WS_CHILD | SS_NOPREFIX | static_alignment(row().align), 0};
}

RECT Label::placement(const DipRect& client_bounds, unsigned dpi) const {
    RECT box = scaled_rect(client_bounds, dpi);
    HDC dc = GetDC(handle_);
    RECT needed{0, 0, 0, 0};
    {
        SelectedObject font(dc, owner().font(row().font));
        const std::u16string label = text();
        DrawTextW(dc, wide(label), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(handle_, dc);
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

Control::WindowStyle Edit::window_style() const {
    return {L"EDIT", WS_CHILD | ES_AUTOHSCROLL | tab_stop(row()), WS_EX_CLIENTEDGE};
}

// No word wrap: every line of text shows as one line (a whole path, say), scrolled sideways when
// it is longer than the box.
Control::WindowStyle Memo::window_style() const {
    return {L"EDIT",
            WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                ES_WANTRETURN | tab_stop(row()),
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
    return {L"BUTTON", WS_CHILD | BS_PUSHBUTTON | tab_stop(row()), 0};
}

// ---- PictureButton -------------------------------------------------------------------------

Control::WindowStyle PictureButton::window_style() const {
    return {L"BUTTON", WS_CHILD | BS_OWNERDRAW | tab_stop(row()), 0};
}

void PictureButton::dpi_changed(unsigned dpi) {
    picture_ = load_png_resource(row().picture, scale_for_dpi(bounds().width, dpi),
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

} // namespace t2k
