// Window layouts as data: one row per control, in the 96-DPI units every form is designed in.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace t2k {

enum class ControlKind { label, edit, memo, button, picture_button, image, layout };

// Anchors are kept with the layout; they only matter when a form's client size differs from its
// design size, which a fixed-border form never does, so placement scales the design rectangle.
namespace anchor {
inline constexpr unsigned left = 1;
inline constexpr unsigned top = 2;
inline constexpr unsigned right = 4;
inline constexpr unsigned bottom = 8;
} // namespace anchor

enum class TextAlign { leading, center, trailing };

struct FontSpec {
    int size = 12; // character height in device-independent pixels
    bool bold = false;
    auto operator<=>(const FontSpec&) const = default;
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

struct ControlSpec {
    ControlKind kind = ControlKind::label;
    std::u16string_view name = {};
    std::u16string_view text = {};
    DipRect bounds = {}; // relative to the parent control, or to the client area when there is none
    unsigned anchors = anchor::left | anchor::top;
    FontSpec font = {};
    TextAlign align = TextAlign::leading;
    int tab_order = no_tab_stop;
    std::u16string_view on_click = {}; // handler name the form binds; empty: none
    std::u16string_view picture = {};  // resource name of an embedded PNG
    std::u16string_view parent = {};   // name of a layout control holding this one
    std::uint32_t text_color = no_color;
    std::uint32_t background_color = no_color;
};

struct FormLayout {
    std::u16string_view caption = {};
    int client_width = 0;
    int client_height = 0;
    std::span<const ControlSpec> controls = {};
    bool minimize_box = true;
    std::uint32_t background_color = no_color;
};

// A length in device-independent pixels at the given DPI, rounded half away from zero.
int scale_for_dpi(int dips, unsigned dpi);

// The order controls are created in, which is also their z-order and so their tab order: tab
// stops by ascending tab order; every other control right before the next tab stop that follows
// it in the layout (so a label stays just before the field it names), the rest at the end.
std::vector<const ControlSpec*> creation_order(const FormLayout& layout);

// The row with this name, or nullptr.
const ControlSpec* find_control(const FormLayout& layout, std::u16string_view name);

// The identifier of a control's window: its row's place in the layout, so outside programs and
// tests can find a control from the layout alone.
int control_id(const FormLayout& layout, std::u16string_view name);
inline constexpr int first_control_id = 100;

} // namespace t2k
