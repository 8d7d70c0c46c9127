// FloatAnimation: the curve, the start and stop rules, and the per-frame update.
#include "toolkit/animation.h"

#include "toolkit/frame_clock.h"

#include <cmath>
#include <numbers>

namespace t2k {

FloatAnimation::FloatAnimation(FrameClock& clock, FloatAnimationSettings settings,
                               Property property, Visibility parent_visible)
    : clock_(clock), settings_(settings), property_(std::move(property)),
      parent_visible_(std::move(parent_visible)) {
    clock_.attach(this);
}

FloatAnimation::~FloatAnimation() {
    clock_.detach(this);
}

void FloatAnimation::set_enabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        start();
    } else {
        stop();
    }
}

void FloatAnimation::start() {
    if (parent_visible_ && !parent_visible_()) {
        return;
    }
    running_ = true;
    started_at_ = clock_.now();
    elapsed_ = 0.0;
    property_(settings_.start_value);
    clock_.animation_started();
}

void FloatAnimation::stop() {
    if (!running_) {
        return;
    }
    running_ = false;
    property_(settings_.stop_value);
}

double FloatAnimation::cycle() const {
    return settings_.auto_reverse ? 2.0 * settings_.duration : settings_.duration;
}

float FloatAnimation::value_at(double t) const {
    const double duration = settings_.duration;
    if (duration <= 0.0) {
        return settings_.stop_value;
    }
    const double period = cycle();
    double phase;
    if (settings_.loop) {
        phase = std::fmod(std::max(t, 0.0), period);
    } else if (t >= period) {
        return settings_.auto_reverse ? settings_.start_value : settings_.stop_value;
    } else {
        phase = std::max(t, 0.0);
    }
    // On the way back the same curve is run with time counting down.
    const double forward = phase <= duration ? phase : period - phase;
    const double linear = forward / duration;
    const double n = settings_.curve == AnimationCurve::linear
                         ? linear
                         : 1.0 - std::cos(std::numbers::pi / 2.0 * linear);
    return static_cast<float>(settings_.start_value +
                              (settings_.stop_value - settings_.start_value) * n);
}

void FloatAnimation::advance_to(double now) {
    if (!running_) {
        return;
    }
    elapsed_ = now - started_at_;
    if (!settings_.loop && elapsed_ >= cycle()) {
        running_ = false; // a single run ends by itself, still enabled
    }
    property_(value_at(elapsed_));
}

} // namespace t2k
