// FrameTimer: a message-only window with a 16 ms timer that steps the frame clock.
#include "toolkit/win32/frame_timer.h"

#include "platform/error.h"
#include "toolkit/win32/catch_all.h"

namespace t2k {
namespace {

const wchar_t timer_class_name[] = L"T2KFrameTimer";
constexpr UINT_PTR timer_id = 1;

ATOM timer_window_class(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = timer_class_name;
        return RegisterClassExW(&window_class);
    }();
    return atom;
}

} // namespace

FrameTimer::FrameTimer(FrameClock& clock, std::function<void()> after_tick)
    : clock_(clock), after_tick_(std::move(after_tick)) {
    window_ = WindowHandle(CreateWindowExW(0, MAKEINTATOM(timer_window_class(&window_proc)), L"", 0,
                                           0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
    if (!window_) {
        throw Error(u"Cannot create the frame timer");
    }
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    clock_.on_wake_up([this] { start(); });
    if (clock_.any_running()) {
        start();
    }
}

FrameTimer::~FrameTimer() {
    clock_.on_wake_up({});
    if (window_) {
        KillTimer(window_.get(), timer_id);
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

void FrameTimer::start() {
    if (ticking_) {
        return;
    }
    ticking_ = SetTimer(window_.get(), timer_id, frame_milliseconds, nullptr) != 0;
}

void FrameTimer::tick() {
    const bool running = clock_.tick();
    if (!running && ticking_) {
        KillTimer(window_.get(), timer_id);
        ticking_ = false;
    }
    if (after_tick_) {
        after_tick_();
    }
}

LRESULT CALLBACK FrameTimer::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == timer_id) {
        if (auto* timer = reinterpret_cast<FrameTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            run_guarded([timer] { timer->tick(); });
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

} // namespace t2k
