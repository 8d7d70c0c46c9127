// FrameClock: advances the running animations by real elapsed time, once per display frame.
#pragma once

#include <functional>
#include <vector>

namespace t2k {

class FloatAnimation;

class FrameClock {
public:
    // Seconds from a steady source; tests pass their own to step time by hand.
    using TimeSource = std::function<double()>;
    // Called when an animation starts while none ran, so that the ticking can resume.
    using WakeUp = std::function<void()>;

    explicit FrameClock(TimeSource now = steady_seconds);
    FrameClock(const FrameClock&) = delete;
    FrameClock& operator=(const FrameClock&) = delete;

    static double steady_seconds();

    double now() const { return now_(); }
    // Another source from now on (a test takes over a running window's time with it).
    void set_time_source(TimeSource now) { now_ = std::move(now); }
    void on_wake_up(WakeUp wake_up) { wake_up_ = std::move(wake_up); }

    // One frame: every running animation moves to the current time. True while any still runs;
    // false tells the driver to stop ticking.
    bool tick();
    bool any_running() const;

private:
    friend class FloatAnimation;
    void attach(FloatAnimation* animation);
    void detach(FloatAnimation* animation);
    void animation_started();

    TimeSource now_;
    WakeUp wake_up_;
    std::vector<FloatAnimation*> animations_;
};

} // namespace t2k
