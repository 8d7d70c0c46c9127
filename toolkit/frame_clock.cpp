// FrameClock: steady time and the per-frame pass over the attached animations.
#include "toolkit/frame_clock.h"

#include "toolkit/animation.h"

#include <algorithm>
#include <chrono>

namespace t2k {

FrameClock::FrameClock(TimeSource now) : now_(std::move(now)) {}

double FrameClock::steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool FrameClock::tick() {
    const double now = now_();
    // By index: a property setter may start or stop other animations, or attach new ones.
    for (std::size_t i = 0; i < animations_.size(); ++i) {
        if (animations_[i] != nullptr) {
            animations_[i]->advance_to(now);
        }
    }
    std::erase(animations_, nullptr);
    return any_running();
}

bool FrameClock::any_running() const {
    return std::any_of(animations_.begin(), animations_.end(),
                       [](const FloatAnimation* a) { return a != nullptr && a->running(); });
}

void FrameClock::attach(FloatAnimation* animation) {
    animations_.push_back(animation);
}

void FrameClock::detach(FloatAnimation* animation) {
    // Leave a hole rather than erase, in case a tick is walking the list right now.
    std::replace(animations_.begin(), animations_.end(), animation,
                 static_cast<FloatAnimation*>(nullptr));
}

void FrameClock::animation_started() {
    if (wake_up_) {
        wake_up_();
    }
}

} // namespace t2k
