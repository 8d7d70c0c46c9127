// Window layouts as data: one row per control, in the 96-DPI units every form is designed in.
// Tables are constexpr, so a form finds each control's row while it compiles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace t2k {

enum class ControlKind { label, edit, memo, button, picture_button, image, layout };

enum class TextAlign { leading, center, trailing };

struct FontStyle {
    int size = 12; // character height in device-independent pixels
    bool bold = false;
    auto operator<=>(const FontStyle&) const = default;
};

struct DipRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DipRect&) const = default;
};

// 0xRRGGBB; no_color leaves the system's colour.
inline constexpr std::uint32_t no_color = 0xFFFFFFFFu;
inline constexpr int no_tab_stop = -1;

struct ControlRow {
    ControlKind kind = ControlKind::label;
    std::u16string_view name = {};
    std::u16string_view text = {};
    DipRect bounds = {}; // relative to the parent control, or to the client area when there is none
    FontStyle font = {};
    TextAlign align = TextAlign::leading;
    int tab_order = no_tab_stop;
    std::u16string_view picture = {}; // resource name of an embedded PNG
    std::u16string_view parent = {};  // name of a layout control holding this one
    std::uint32_t text_color = no_color;
    std::uint32_t background_color = no_color;
    bool cancel = false; // a button that Escape presses, as a dialog's Cancel button
};

struct FormLayout {
    std::u16string_view caption = {};
    int client_width = 0;
    int client_height = 0;
    std::span<const ControlRow> controls = {};
    bool minimize_box = true;
    std::uint32_t background_color = no_color;
};

// A length in device-independent pixels at the given DPI, rounded half away from zero.
int scale_for_dpi(int dips, unsigned dpi);

// The row with this name. Used while compiling (a form's members are built from their rows), a
// name the table lacks does not compile.
consteval const ControlRow& find_row(std::span<const ControlRow> rows, std::u16string_view name) {
    for (const ControlRow& row : rows) {
        if (row.name == name) {
            return row;
        }
    }
    throw "the layout has no control of this name";
}

// Controls are created in table order, which is their z-order and so their tab order: a table
// lists its tab stops by ascending tab order, each control without one right before the tab stop
// it belongs to (so a label stays just before the field it names). Layout tables assert this.
constexpr bool tab_stops_ascend(std::span<const ControlRow> rows) {
    int last = no_tab_stop;
    for (const ControlRow& row : rows) {
        if (row.tab_order != no_tab_stop) {
            if (row.tab_order <= last) {
                return false;
            }
            last = row.tab_order;
        }
    }
    return true;
}

// Every parent a row names is a layout row before it, so a parent exists when its children are
// placed. Layout tables assert this too.
constexpr bool parents_come_first(std::span<const ControlRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].parent.empty()) {
            continue;
        }
        bool found = false;
        for (std::size_t j = 0; j < i; ++j) {
            found =
                found || (rows[j].name == rows[i].parent && rows[j].kind == ControlKind::layout);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

// The identifier of a control's window: its row's place in the layout, so outside programs and
// tests can find a control from the layout alone.
inline constexpr int first_control_id = 100;
constexpr int control_id(std::span<const ControlRow> rows, const ControlRow& row) {
    return first_control_id + static_cast<int>(&row - rows.data());
}
int control_id(const FormLayout& layout, std::u16string_view name);

} // namespace t2k
