// FrameTimer: ticks a FrameClock on the UI thread about 60 times a second while animations run.
#pragma once

#include "toolkit/frame_clock.h"
#include "toolkit/win32/handles.h"

#include <windows.h>

#include <functional>

namespace t2k {

// Owns a message-only window whose timer drives the clock, so the ticks arrive through the
// thread's message loop (the application's or a modal one) and never on another thread. The
// timer starts when an animation starts and stops at the first tick that finds none running.
class FrameTimer {
public:
    static constexpr UINT frame_milliseconds = 16;

    // after_tick runs after every tick, under the catch-all (a form repaints there).
    FrameTimer(FrameClock& clock, std::function<void()> after_tick);
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    bool ticking() const noexcept { return ticking_; }

private:
    void start();
    void tick();
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    FrameClock& clock_;
    std::function<void()> after_tick_;
    WindowHandle window_;
    bool ticking_ = false;
};

} // namespace t2k
