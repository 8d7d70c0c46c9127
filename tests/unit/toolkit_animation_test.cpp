// The toolkit's float animations and frame clock, on a clock stepped by hand with the About
// window's settings: values over time and the start/stop rules.
#include "resources/about/about_layout.h"
#include "toolkit/animation.h"
#include "toolkit/frame_clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace t2k {
namespace {

using about_layout::AnimatedProperty;

const FloatAnimationSettings& about_settings(AnimatedProperty property) {
    for (const auto& row : about_layout::animations()) {
        if (row.property == property) {
            return row.settings;
        }
    }
    throw std::logic_error("no such animation");
}

// A clock whose time moves only when the test says so, and a property that records its values.
struct SteppedClock : ::testing::Test {
    double now = 100.0;
    FrameClock clock{[this] {
        return now;
    }};
    std::vector<float> values;
    bool parent_visible = true;

    FloatAnimation make(const FloatAnimationSettings& settings) {
        return FloatAnimation(
            clock, settings, [this](float v) { values.push_back(v); },
            [this] { return parent_visible; });
    }
    // Moves to `seconds` after the start in frames of 1/60 s and returns the last value set.
    float run_until(double start, double seconds) {
        while (now + 1.0 / 60 < start + seconds) {
            now += 1.0 / 60;
            clock.tick();
        }
        now = start + seconds;
        clock.tick();
        return values.back();
    }
};

struct TimedValue {
    double t;
    double expected;
};

TEST_F(SteppedClock, rotation_turns_30_degrees_a_second_and_wraps_at_12_seconds) {
    FloatAnimation rotation = make(about_settings(AnimatedProperty::rotation_angle));
    const double start = now;
    rotation.set_enabled(true);
    for (const TimedValue& tv : {TimedValue{0.5, 15},
                                 {1, 30},
                                 {6, 180},
                                 {11.9, 357},
                                 {12, 0},
                                 {13, 30},
                                 {25, 30},
                                 {36, 0}}) {
        SCOPED_TRACE(tv.t);
        EXPECT_NEAR(run_until(start, tv.t), tv.expected, 1e-3);
    }
    EXPECT_TRUE(rotation.running());
}

TEST_F(SteppedClock, blur_swells_along_the_eased_curve_and_fades_back_over_8_seconds) {
    FloatAnimation blur = make(about_settings(AnimatedProperty::blur_amount));
    const double start = now;
    blur.set_enabled(true);
    const auto swell = [](double t) {
        return 3 * (1 - std::cos(std::numbers::pi * t / 8));
    };
    for (const TimedValue& tv : {TimedValue{1, swell(1)},
                                 {2, swell(2)},
                                 {4, 3},
                                 {5, swell(3)},
                                 {7, swell(1)},
                                 {8, 0},
                                 {9, swell(1)},
                                 {12, 3}}) {
        SCOPED_TRACE(tv.t);
        EXPECT_NEAR(run_until(start, tv.t), tv.expected, 1e-4);
    }
    EXPECT_NEAR(swell(2), 0.8787, 1e-4); // eased in: slow at first
}

TEST_F(SteppedClock, texts_slide_from_280_to_50_in_2_seconds_and_the_run_ends) {
    FloatAnimation slide = make(about_settings(AnimatedProperty::position_y));
    const double start = now;
    slide.set_enabled(true);
    EXPECT_NEAR(run_until(start, 0.5), 222.5, 1e-3);
    EXPECT_NEAR(run_until(start, 1), 165, 1e-3);
    EXPECT_TRUE(slide.running());
    EXPECT_NEAR(run_until(start, 2.01), 50, 1e-4);
    EXPECT_FALSE(slide.running());
    EXPECT_TRUE(slide.enabled());
    EXPECT_FALSE(clock.tick()); // nothing runs any more: the ticking may stop
}

TEST_F(SteppedClock, the_value_follows_real_elapsed_time_however_uneven_the_frames) {
    FloatAnimation slide = make(about_settings(AnimatedProperty::position_y));
    slide.set_enabled(true);
    now += 0.3;
    clock.tick();
    EXPECT_NEAR(values.back(), 280 - 115 * 0.3, 1e-3);
    now += 1.1; // a long stall: no frames are owed, the value jumps to where time says
    clock.tick();
    EXPECT_NEAR(values.back(), 280 - 115 * 1.4, 1e-3);
}

TEST_F(SteppedClock, enabling_applies_the_start_value_at_once_and_wakes_the_clock) {
    int wake_ups = 0;
    clock.on_wake_up([&] { ++wake_ups; });
    FloatAnimation slide = make(about_settings(AnimatedProperty::position_y));
    EXPECT_TRUE(values.empty());
    EXPECT_FALSE(clock.any_running());
    slide.set_enabled(true);
    EXPECT_THAT(values, ::testing::ElementsAre(280.0f));
    EXPECT_EQ(wake_ups, 1);
    EXPECT_TRUE(clock.any_running());
}

TEST_F(SteppedClock, disabling_a_running_animation_applies_its_stop_value_at_once) {
    for (AnimatedProperty property :
         {AnimatedProperty::rotation_angle, AnimatedProperty::blur_amount,
          AnimatedProperty::position_y}) {
        const auto& settings = about_settings(property);
        FloatAnimation animation = make(settings);
        animation.set_enabled(true);
        run_until(now, 0.7);
        animation.set_enabled(false);
        EXPECT_EQ(values.back(), settings.stop_value);
        EXPECT_FALSE(animation.running());
    }
    EXPECT_EQ(values.back(), 50.0f); // the texts land where they would have ended
}

TEST_F(SteppedClock, setting_enabled_to_what_it_already_is_does_nothing) {
    FloatAnimation rotation = make(about_settings(AnimatedProperty::rotation_angle));
    rotation.set_enabled(false); // disabled already: no stop value
    EXPECT_TRUE(values.empty());

    const double start = now;
    rotation.set_enabled(true);
    run_until(start, 3);
    rotation.set_enabled(true); // enabled already: does not restart at 0
    EXPECT_NEAR(run_until(start, 4), 120, 1e-3);
    EXPECT_EQ(std::count(values.begin(), values.end(), 0.0f), 1);
}

TEST_F(SteppedClock, an_ended_run_keeps_its_value_when_disabled_and_starts_afresh_when_enabled) {
    FloatAnimation slide = make(about_settings(AnimatedProperty::position_y));
    slide.set_enabled(true);
    run_until(now, 3);
    const auto count = values.size();
    slide.set_enabled(false); // not running: no value is applied
    EXPECT_EQ(values.size(), count);
    slide.set_enabled(true);
    EXPECT_EQ(values.back(), 280.0f);
    EXPECT_TRUE(slide.running());
}

TEST_F(SteppedClock, an_animation_whose_parent_is_not_visible_does_not_start) {
    parent_visible = false;
    FloatAnimation rotation = make(about_settings(AnimatedProperty::rotation_angle));
    rotation.set_enabled(true);
    EXPECT_TRUE(rotation.enabled());
    EXPECT_FALSE(rotation.running());
    EXPECT_TRUE(values.empty());
    EXPECT_FALSE(clock.tick());

    parent_visible = true;
    rotation.set_enabled(true); // still enabled: no change, so still not running
    EXPECT_FALSE(rotation.running());
    rotation.set_enabled(false);
    rotation.set_enabled(true);
    EXPECT_TRUE(rotation.running());
}

TEST_F(SteppedClock, a_destroyed_animation_leaves_the_clock) {
    {
        FloatAnimation rotation = make(about_settings(AnimatedProperty::rotation_angle));
        rotation.set_enabled(true);
        EXPECT_TRUE(clock.any_running());
    }
    EXPECT_FALSE(clock.any_running());
    EXPECT_FALSE(clock.tick());
}

TEST(AboutLayoutAnimations, only_the_rotation_is_enabled_by_the_layout) {
    std::vector<std::u16string_view> enabled;
    for (const auto& row : about_layout::animations()) {
        if (row.enabled) {
            enabled.push_back(row.name);
        }
    }
    EXPECT_THAT(enabled, ::testing::ElementsAre(u"FloatAnimation1"));
    EXPECT_FALSE(about_layout::blur_effect().enabled);
}

} // namespace
} // namespace t2k
