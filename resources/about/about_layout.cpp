// The About window's layout as data.
#include "resources/about/about_layout.h"

#include <array>

namespace t2k::about_layout {
namespace {

constexpr std::uint32_t red = 0xFF0000;
constexpr std::uint32_t aqua = 0x00FFFF;
constexpr FontSpec heading{20, true};
constexpr FontSpec plain{};

constexpr ControlSpec label(std::u16string_view name, DipRect bounds, FontSpec font,
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

constexpr std::array controls{
    ControlSpec{
        .kind = ControlKind::layout, .name = u"Layout1", .text = {}, .bounds = {0, 0, 305, 273}},
    ControlSpec{.kind = ControlKind::image,
                .name = u"ImageControl1",
                .text = {},
                .bounds = {-85, -100, 600, 600},
                .picture = picture_resource,
                .parent = u"Layout1"},
    ControlSpec{
        .kind = ControlKind::layout, .name = u"Layout2", .text = {}, .bounds = {50, 24, 205, 225}},
    label(u"Label1", {-29, -12, 275, 39}, heading, red),
    label(u"Label2", {-33, 14, 275, 35}, heading, red),
    label(u"Label3", {-41, 44, 275, 25}, heading, red),
    label(u"Label4", {-35, 73, 275, 15}, plain, aqua),
    label(u"Label6", {-35, 103, 275, 15}, plain, aqua),
    label(u"Label7", {-35, 118, 275, 15}, plain, aqua),
    ControlSpec{.kind = ControlKind::button,
                .name = u"CloseButton",
                .text = u"Close",
                .bounds = {62, 150, 80, 22},
                .align = TextAlign::center,
                .tab_order = 0,
                .on_click = u"CloseButtonClick",
                .parent = u"Layout2"},
};

constexpr FormLayout layout{.caption = u"About",
                            .client_width = 305,
                            .client_height = 273,
                            .controls = controls,
                            .minimize_box = false,
                            .background_color = 0x000000};

constexpr std::array animation_table{
    AnimationSpec{u"FloatAnimation1",
                  u"ImageControl1",
                  AnimatedProperty::rotation_angle,
                  {.start_value = 0,
                   .stop_value = 360,
                   .duration = 12,
                   .curve = AnimationCurve::linear,
                   .loop = true},
                  true},
    AnimationSpec{u"FloatAnimation2",
                  u"GaussianBlurEffect1",
                  AnimatedProperty::blur_amount,
                  {.start_value = 0,
                   .stop_value = 3,
                   .duration = 4,
                   .curve = AnimationCurve::sine_in,
                   .loop = true,
                   .auto_reverse = true},
                  false},
    AnimationSpec{u"FloatAnimation3",
                  u"Layout2",
                  AnimatedProperty::position_y,
                  {.start_value = 280, .stop_value = 50, .duration = 2},
                  false},
};

constexpr BlurEffectSpec blur{u"GaussianBlurEffect1", u"ImageControl1", 1.0f, false};

} // namespace

const FormLayout& form() {
    return layout;
}
std::span<const AnimationSpec> animations() {
    return animation_table;
}
const BlurEffectSpec& blur_effect() {
    return blur;
}

} // namespace t2k::about_layout
