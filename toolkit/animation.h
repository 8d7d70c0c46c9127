// FloatAnimation: drives one float property from a start to a stop value along a curve over time.
#pragma once

#include <functional>

namespace t2k {

class FrameClock;

enum class AnimationCurve {
    linear,  // n = t / d
    sine_in, // n = 1 - cos(pi/2 * t / d)
};

struct FloatAnimationSettings {
    float start_value = 0.0f;
    float stop_value = 1.0f;
    double duration = 0.2; // seconds
    AnimationCurve curve = AnimationCurve::linear;
    bool loop = false;         // start again from the beginning at the end
    bool auto_reverse = false; // run back along the same curve after each forward run
};

// Starting applies the start value at once; stopping a running animation applies the stop value at
// once. Setting `enabled` to the value it already has does nothing. It starts only while its parent
// control is itself visible (the window it sits in may be hidden).
class FloatAnimation {
public:
    using Property = std::function<void(float)>;
    using Visibility = std::function<bool()>;

    // An empty parent_visible means the parent is not a control and never holds the start back.
    FloatAnimation(FrameClock& clock, FloatAnimationSettings settings, Property property,
                   Visibility parent_visible = {});
    ~FloatAnimation();
    FloatAnimation(const FloatAnimation&) = delete;
    FloatAnimation& operator=(const FloatAnimation&) = delete;

    void set_enabled(bool enabled);
    bool enabled() const noexcept { return enabled_; }
    bool running() const noexcept { return running_; }
    const FloatAnimationSettings& settings() const noexcept { return settings_; }

    // The value t seconds after the start; for a run that has ended, the value it ended on.
    float value_at(double t) const;
    // Seconds since the start, as of the last frame.
    double elapsed() const noexcept { return elapsed_; }

    // One display frame: moves the property to the value for `now` (the clock's time).
    void advance_to(double now);

private:
    void start();
    void stop();
    // Length of one pass, forward and (with auto-reverse) back.
    double cycle() const;

    FrameClock& clock_;
    FloatAnimationSettings settings_;
    Property property_;
    Visibility parent_visible_;
    bool enabled_ = false;
    bool running_ = false;
    double started_at_ = 0.0;
    double elapsed_ = 0.0;
};

} // namespace t2k
