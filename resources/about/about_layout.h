// The About window's layout: its controls, the picture's turn and blur, and their animations.
#pragma once

#include "toolkit/animation.h"
#include "toolkit/layout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace t2k::about_layout {

// The resource name of the star-ring picture embedded in the executable.
inline constexpr std::u16string_view picture_resource = u"ABOUT_STARS";

// The image control shows its picture scaled by this factor in both directions, and turns about
// the centre of that scaled box.
inline constexpr double image_scale = 0.8;

// CloseButton has rounded corners of this radius.
inline constexpr int close_button_corner_radius = 3;

// ---- controls, in 96-DPI units relative to each control's parent ----

inline constexpr std::uint32_t red = 0xFF0000;
inline constexpr std::uint32_t aqua = 0x00FFFF;
inline constexpr FontStyle heading{20, true};
inline constexpr FontStyle plain{};

constexpr ControlRow label(std::u16string_view name, DipRect bounds, FontStyle font,
                           std::uint32_t color) {
    return {.kind = ControlKind::label,
            .name = name,
            .text = name,
            .bounds = bounds,
            .font = font,
            .align = TextAlign::center,
            .parent = u"Layout2",
            .text_color = color};
}

inline constexpr std::array controls{
    ControlRow{
        .kind = ControlKind::layout, .name = u"Layout1", .text = {}, .bounds = {0, 0, 305, 273}},
    ControlRow{.kind = ControlKind::image,
               .name = u"ImageControl1",
               .text = {},
               .bounds = {-85, -100, 600, 600},
               .picture = picture_resource,
               .parent = u"Layout1"},
    ControlRow{
        .kind = ControlKind::layout, .name = u"Layout2", .text = {}, .bounds = {50, 24, 205, 225}},
    label(u"Label1", {-29, -12, 275, 39}, heading, red),
    label(u"Label2", {-33, 14, 275, 35}, heading, red),
    label(u"Label3", {-41, 44, 275, 25}, heading, red),
    label(u"Label4", {-35, 73, 275, 15}, plain, aqua),
    label(u"Label6", {-35, 103, 275, 15}, plain, aqua),
    label(u"Label7", {-35, 118, 275, 15}, plain, aqua),
    ControlRow{.kind = ControlKind::button,
               .name = u"CloseButton",
               .text = u"Close",
               .bounds = {62, 150, 80, 22},
               .align = TextAlign::center,
               .tab_order = 0,
               .parent = u"Layout2",
               .cancel = true},
};
static_assert(tab_stops_ascend(controls) && parents_come_first(controls));

inline constexpr FormLayout form{.caption = u"About",
                                 .client_width = 305,
                                 .client_height = 273,
                                 .controls = controls,
                                 .minimize_box = false,
                                 .background_color = 0x000000};

consteval const ControlRow& row(std::u16string_view name) {
    return find_row(controls, name);
}

// ---- the blur effect and the animations ----

struct BlurEffectRow {
    std::u16string_view name;
    float amount;
    bool enabled;
};

inline constexpr BlurEffectRow blur{u"GaussianBlurEffect1", 1.0f, false};

// What an animation drives, by the layout name of the control or effect that owns it.
enum class AnimatedProperty { rotation_angle, blur_amount, position_y };

struct AnimationRow {
    std::u16string_view name;
    std::u16string_view parent; // the control or effect whose property it animates
    AnimatedProperty property;
    FloatAnimationSettings settings;
    bool enabled; // enabled by loading the layout, so it runs from creation
};

inline constexpr std::array animation_rows{
    AnimationRow{u"FloatAnimation1",
                 u"ImageControl1",
                 AnimatedProperty::rotation_angle,
                 {.start_value = 0,
                  .stop_value = 360,
                  .duration = 12,
                  .curve = AnimationCurve::linear,
                  .loop = true},
                 true},
    AnimationRow{u"FloatAnimation2",
                 u"GaussianBlurEffect1",
                 AnimatedProperty::blur_amount,
                 {.start_value = 0,
                  .stop_value = 3,
                  .duration = 4,
                  .curve = AnimationCurve::sine_in,
                  .loop = true,
                  .auto_reverse = true},
                 false},
    AnimationRow{u"FloatAnimation3",
                 u"Layout2",
                 AnimatedProperty::position_y,
                 {.start_value = 280, .stop_value = 50, .duration = 2},
                 false},
};

consteval const AnimationRow& animation(std::u16string_view name) {
    for (const AnimationRow& row : animation_rows) {
        if (row.name == name) {
            return row;
        }
    }
    throw "the layout has no animation of this name";
}

// Every animation's parent is the blur effect or a control of the layout.
constexpr bool animation_parents_exist() {
    for (const AnimationRow& animation : animation_rows) {
        bool found = animation.parent == blur.name;
        for (const ControlRow& control : controls) {
            found = found || animation.parent == control.name;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
static_assert(animation_parents_exist());

constexpr std::span<const AnimationRow> animations() {
    return animation_rows;
}
constexpr const BlurEffectRow& blur_effect() {
    return blur;
}

} // namespace t2k::about_layout
