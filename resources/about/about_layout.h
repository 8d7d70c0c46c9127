// The About window's layout: its controls, the picture's turn and blur, and their animations.
#pragma once

#include "toolkit/animation.h"
#include "toolkit/layout.h"

#include <span>
#include <string_view>

namespace t2k::about_layout {

// The window and its controls, in 96-DPI units relative to each control's parent.
const FormLayout& form();

// The image control shows its picture scaled by this factor in both directions, and turns about
// the centre of that scaled box.
inline constexpr double image_scale = 0.8;

// CloseButton has rounded corners of this radius.
inline constexpr int close_button_corner_radius = 3;

// What an animation drives, by the layout name of the control or effect that owns it.
enum class AnimatedProperty { rotation_angle, blur_amount, position_y };

struct AnimationSpec {
    std::u16string_view name;
    std::u16string_view parent; // the control or effect whose property it animates
    AnimatedProperty property;
    FloatAnimationSettings settings;
    bool enabled; // enabled by loading the layout, so it runs from creation
};

struct BlurEffectSpec {
    std::u16string_view name;
    std::u16string_view parent; // the control it blurs
    float amount;
    bool enabled;
};

std::span<const AnimationSpec> animations();
const BlurEffectSpec& blur_effect();

// The resource name of the star-ring picture embedded in the executable.
inline constexpr std::u16string_view picture_resource = u"ABOUT_STARS";

} // namespace t2k::about_layout
