// The toolkit's software painting (toolkit/paint): the two-pass blur, the turn about a point, the
// image frame.
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/paint/image_frame.h"
#include "toolkit/paint/image_layer.h"
#include "toolkit/paint/resample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace t2k {
namespace {

std::uint64_t channel_total(const PixelBuffer& image, int channel) {
    std::uint64_t total = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            total += image.at(x, y) >> (8 * channel) & 0xFF;
        }
    }
    return total;
}

bool same_pixels(const PixelBuffer& a, const PixelBuffer& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// A lone white pixel in the middle of a transparent square large enough for the widest blur.
PixelBuffer white_dot() {
    PixelBuffer image(101, 101, 0);
    image.at(50, 50) = opaque_white;
    return image;
}

PixelBuffer blurred_dot(float amount) {
    PixelBuffer image = white_dot();
    GaussianBlur().apply(image.view(), amount);
    return image;
}

TEST(GaussianBlur, one_pass_weights_are_symmetric_and_sum_to_one) {
    for (float amount : {0.01f, 0.3f, 1.0f, 2.5f, 3.0f, 7.77f, 10.0f}) {
        SCOPED_TRACE(amount);
        const auto taps = GaussianBlur::taps(amount);
        std::uint32_t sum = 0;
        for (const auto& tap : taps) {
            sum += tap.weight;
            const auto mirror = std::find_if(
                taps.begin(), taps.end(), [&](const auto& t) { return t.offset == -tap.offset; });
            ASSERT_NE(mirror, taps.end());
            EXPECT_EQ(mirror->weight, tap.weight);
        }
        EXPECT_EQ(sum, 256u);
        EXPECT_LE(taps.back().offset, GaussianBlur::reach(amount));
    }
}

TEST(GaussianBlur, a_white_pixel_spreads_symmetrically_and_keeps_its_total) {
    for (float amount : {1.0f, 3.0f}) {
        SCOPED_TRACE(amount);
        const PixelBuffer image = blurred_dot(amount);
        EXPECT_LT(image.at(50, 50) >> 24, 255u); // it did spread
        for (int y = 0; y < 101; ++y) {
            for (int x = 0; x < 101; ++x) {
                ASSERT_EQ(image.at(x, y), image.at(100 - x, y)) << x << "," << y;
                ASSERT_EQ(image.at(x, y), image.at(x, 100 - y)) << x << "," << y;
            }
        }
        // Each pixel is rounded to whole levels twice, so the total may drift a little.
        for (int channel = 0; channel < 4; ++channel) {
            EXPECT_NEAR(static_cast<double>(channel_total(image, channel)), 255.0, 255.0 * 0.1);
        }
    }
}

TEST(GaussianBlur, the_amount_is_the_spacing_between_samples) {
    // At amount 3 the samples fall on every third pixel: the pixels between them stay empty.
    const PixelBuffer image = blurred_dot(3.0f);
    EXPECT_GT(image.at(53, 50), 0u);
    EXPECT_EQ(image.at(51, 50), 0u);
    EXPECT_EQ(image.at(52, 50), 0u);
    EXPECT_GT(image.at(50 + 12, 50), 0u);
    EXPECT_GT(image.at(50, 50 - 12), 0u);
    EXPECT_EQ(image.at(50 + 13, 50), 0u);
}

TEST(GaussianBlur, the_amount_is_held_between_one_hundredth_and_ten) {
    EXPECT_TRUE(same_pixels(blurred_dot(0.001f), blurred_dot(0.01f)));
    EXPECT_TRUE(same_pixels(blurred_dot(-2.0f), blurred_dot(0.01f)));
    EXPECT_TRUE(same_pixels(blurred_dot(50.0f), blurred_dot(10.0f)));
    EXPECT_FALSE(same_pixels(blurred_dot(9.0f), blurred_dot(10.0f)));
    // Almost nothing happens at the smallest amount: the dot stays nearly whole.
    EXPECT_GE(blurred_dot(0.01f).at(50, 50) >> 24, 240u);
    EXPECT_GT(blurred_dot(10.0f).at(90, 50), 0u);

    GaussianBlurEffect effect;
    for (const auto& [asked, held] :
         {std::pair{0.001f, 0.01f}, {-1.0f, 0.01f}, {2.5f, 2.5f}, {10.5f, 10.0f}}) {
        effect.set_blur_amount(asked);
        EXPECT_EQ(effect.blur_amount(), held);
    }
}

TEST(GaussianBlurEffect, a_disabled_effect_leaves_the_pixels_alone) {
    PixelBuffer image = white_dot();
    GaussianBlurEffect effect(3.0f, false);
    effect.apply(image.view());
    EXPECT_EQ(effect.reach(), 0);
    EXPECT_EQ(image.at(50, 50), opaque_white);
    effect.set_enabled(true);
    effect.apply(image.view());
    EXPECT_NE(image.at(50, 50), opaque_white);
}

TEST(GaussianBlur, a_flat_area_stays_flat_and_the_edge_fades_into_transparency) {
    PixelBuffer image(40, 30, 0xFF3366CCu);
    GaussianBlur blur;
    blur.apply(image.view(), 1.0f);
    blur.apply(image.view(), 1.0f); // the second run reuses the scratch memory
    EXPECT_EQ(image.at(20, 15), 0xFF3366CCu);
    EXPECT_LT(image.at(0, 15) >> 24, 255u);
    EXPECT_LT(image.at(20, 29) >> 24, 255u);
}

// A 10 × 10 picture with one red pixel, turned about (155, 140) in a 320 × 280 target.
struct Turned {
    PixelBuffer target{320, 280, opaque_black};
    void draw(double degrees, double scale) {
        PixelBuffer source(10, 10, 0xFF0000FFu); // opaque blue
        source.at(3, 2) = 0xFFFF0000u;
        const Affine placed = Affine::translation(100, 100).after(Affine::scaling(scale, scale));
        draw_transformed(target.view(), source.view(),
                         Affine::rotation_about(degrees, 155, 140).after(placed));
    }
};

TEST(Resample, a_marked_pixel_lands_where_the_turn_about_the_pivot_puts_it) {
    Turned unturned;
    unturned.draw(0, 1);
    EXPECT_EQ(unturned.target.at(103, 102), 0xFFFF0000u);
    EXPECT_EQ(unturned.target.at(104, 102), 0xFF0000FFu);

    // Clockwise on screen: the picture above-left of the pivot moves up and to the right.
    // Pixel centre (103.5, 102.5) is (-51.5, -37.5) from the pivot; a quarter turn gives
    // (37.5, -51.5), so the centre of pixel (192, 88).
    Turned quarter;
    quarter.draw(90, 1);
    EXPECT_EQ(quarter.target.at(192, 88), 0xFFFF0000u);
    EXPECT_EQ(quarter.target.at(192, 89), 0xFF0000FFu);
    EXPECT_EQ(quarter.target.at(103, 102), opaque_black);
}

TEST(Resample, a_scaled_turn_keeps_the_marked_pixel_at_the_mapped_point) {
    Turned turned;
    turned.draw(30, 4);
    double x, y;
    const Affine placed = Affine::translation(100, 100).after(Affine::scaling(4, 4));
    Affine::rotation_about(30, 155, 140).after(placed).apply(3.5, 2.5, x, y);
    // Within half a target pixel of the mapped centre the sample is mostly the red pixel.
    const Pixel centre = turned.target.at(static_cast<int>(x), static_cast<int>(y));
    EXPECT_GE(centre >> 16 & 0xFF, 180u);
    EXPECT_LE(centre & 0xFF, 75u);
}

TEST(Resample, drawing_is_clipped_by_the_target_and_edges_are_smoothed) {
    PixelBuffer target(50, 50, opaque_black);
    PixelBuffer source(100, 100, opaque_white);
    // Half outside on every side, turned: must not write outside and must not fail.
    draw_transformed(target.view().part(10, 10, 30, 30), source.view(),
                     Affine::rotation_about(45, 25, 25).after(Affine::translation(-25, -25)));
    EXPECT_EQ(target.at(9, 25), opaque_black);
    EXPECT_EQ(target.at(40, 25), opaque_black);
    EXPECT_EQ(target.at(25, 25), opaque_white);

    PixelBuffer edge(20, 20, opaque_black);
    PixelBuffer square(4, 4, opaque_white);
    draw_transformed(edge.view(), square.view(), Affine::translation(5.5, 5));
    const std::uint32_t blue_at_left_edge = edge.at(5, 6) & 0xFF;
    EXPECT_GT(blue_at_left_edge, 64u); // half covered: grey, neither black nor white
    EXPECT_LT(blue_at_left_edge, 192u);
}

TEST(TurnedImage, the_blur_softens_the_turned_edges_and_reads_beyond_the_target) {
    // A white face turned 45 degrees whose corner pokes out of the target's right edge.
    const auto paint = [](bool blurred) {
        PixelBuffer target(60, 60, opaque_black);
        TurnedImage image;
        image.set_face(PixelBuffer(40, 40, opaque_white));
        GaussianBlurEffect blur(2.0f, blurred);
        image.paint(target.view(), 30, 10, 45, blur);
        return target;
    };
    const PixelBuffer sharp = paint(false);
    const PixelBuffer soft = paint(true);
    EXPECT_EQ(sharp.at(45, 30), opaque_white);
    EXPECT_EQ(soft.at(45, 30), opaque_white); // deep inside: unchanged by the blur
    EXPECT_EQ(sharp.at(20, 30), opaque_black);
    EXPECT_GT(soft.at(20, 30) & 0xFF, 0u); // just outside the turned edge: some light spills
    // At the right edge the face goes on beyond the target, so the blur keeps it white.
    EXPECT_EQ(soft.at(59, 30), opaque_white);
}

TEST(ImageFrame, white_face_grey_border_and_the_picture_fitted_inside_the_inset) {
    PixelBuffer picture(80, 40, 0xFFFFFF00u); // wide and yellow
    PixelBuffer control(120, 120);
    paint_image_frame(control.view(), picture.view(), 0.2); // 600 units → 120 px
    EXPECT_EQ(control.at(0, 60), 0xFFA0A0A0u);
    EXPECT_EQ(control.at(60, 119), 0xFFA0A0A0u);
    // Inset 1 px: the picture is 118 × 59, centred.
    EXPECT_EQ(control.at(1, 60), 0xFFFFFF00u);
    EXPECT_EQ(control.at(118, 60), 0xFFFFFF00u);
    EXPECT_EQ(control.at(60, 20), opaque_white);
    EXPECT_EQ(control.at(60, 32), 0xFFFFFF00u);
    EXPECT_EQ(control.at(60, 88), 0xFFFFFF00u);
    EXPECT_EQ(control.at(60, 95), opaque_white);
}

TEST(ImageFrame, shrinking_averages_the_covered_area) {
    PixelBuffer checker(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            checker.at(x, y) = (x + y) % 2 ? opaque_white : opaque_black;
        }
    }
    PixelBuffer small(2, 2);
    resize_area(small.view(), checker.view());
    EXPECT_EQ(small.at(1, 1), 0xFF808080u);
}

} // namespace
} // namespace t2k
