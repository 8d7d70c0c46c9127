// GaussianBlur: a two-pass (horizontal, then vertical) Gaussian blur of premultiplied pixels.
#pragma once

#include "toolkit/paint/pixel_buffer.h"

#include <cstdint>
#include <vector>

namespace t2k {

// The blur takes a fixed number of samples on each side of a pixel; the blur amount is the
// spacing between them in pixels, so a larger amount spreads the same samples wider.
class GaussianBlur {
public:
    static constexpr float min_amount = 0.01f;
    static constexpr float max_amount = 10.0f;
    static constexpr int samples_per_side = 4;

    static float held_amount(float amount);
    // Pixels a blur of this amount reaches on each side; content further away does not matter.
    static int reach(float amount);

    // Blurs image in place; outside the image counts as transparent. Keeps its scratch memory,
    // so blurring frame after frame allocates nothing.
    void apply(PixelView image, float amount);

    struct Tap {
        int offset;
        std::uint16_t weight; // of 256
    };
    // The whole-pixel weights of one pass, symmetric (mirrored offsets weigh exactly the same),
    // summing to 256.
    static std::vector<Tap> taps(float amount);

private:
    std::vector<Tap> taps_;
    float taps_amount_ = -1.0f;
    std::vector<std::uint8_t> padded_row_;
    std::vector<std::uint16_t> sums_;
    std::vector<std::uint8_t> between_passes_;
    std::vector<std::uint8_t> zero_row_; // stands for rows beyond the image
};

// The effect a control carries: when enabled, the control's pixels are blurred by blur_amount,
// which is held between GaussianBlur::min_amount and GaussianBlur::max_amount.
class GaussianBlurEffect {
public:
    explicit GaussianBlurEffect(float blur_amount = 1.0f, bool enabled = false)
        : enabled_(enabled), blur_amount_(GaussianBlur::held_amount(blur_amount)) {}

    bool enabled() const noexcept { return enabled_; }
    // Enabling an enabled effect or disabling a disabled one changes nothing.
    void set_enabled(bool enabled) noexcept { enabled_ = enabled; }
    float blur_amount() const noexcept { return blur_amount_; }
    void set_blur_amount(float amount) noexcept {
        blur_amount_ = GaussianBlur::held_amount(amount);
    }
    // Pixels beyond an edge of the control that the blur reads, and so must be painted.
    int reach() const { return enabled_ ? GaussianBlur::reach(blur_amount_) : 0; }

    void apply(PixelView pixels) {
        if (enabled_) {
            blur_.apply(pixels, blur_amount_);
        }
    }

private:
    bool enabled_;
    float blur_amount_;
    GaussianBlur blur_;
};

} // namespace t2k
