#include "platform/win32/timer.h"

#include <algorithm>

#include "platform/win32/user32_function.h"

namespace taktomat::platform::win32 {

TimerSetter systemTimerSetter() {
    return {user32Function<TimerSetter::Coalescable>("SetCoalescableTimer")};
}

UINT_PTR TimerSetter::set(HWND window, UINT_PTR id, UINT elapse) const {
    // Should a system refuse the tolerance, the plain timer still keeps the run going.
    if (coalescable) {
        if (const UINT_PTR set = coalescable(window, id, elapse, nullptr, TIMERV_NO_COALESCING)) {
            return set;
        }
    }
    return SetTimer(window, id, elapse, nullptr);
}

void Win32Timer::setEnabled(bool enabled) {
    // Enabling again restarts the interval, as SetTimer on the same id does.
    if (enabled) {
        arm(interval_);
    } else if (enabled_) {
        KillTimer(window_, id_);
        enabled_ = false;
    }
}

void Win32Timer::setNextTickIn(std::chrono::milliseconds delay) {
    if (!enabled_) return;
    // The window system raises anything below its minimum to the minimum.
    arm(static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
        delay.count(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM)));
}

void Win32Timer::tick() {
    if (!enabled_) return;
    const std::uint64_t armedBefore = armings_;
    if (onTick_) onTick_();
    // A tick armed apart from the interval was a single one: the interval follows, unless
    // the handler has armed the next tick itself, as the countdown does at every tick. So a
    // tick costs one SetTimer, not one for the interval and another for the due time.
    if (enabled_ && armings_ == armedBefore && period_ != interval_) arm(interval_);
}

void Win32Timer::arm(int period) {
    enabled_ = setter_.set(window_, id_, static_cast<UINT>(period)) != 0;
    period_ = period;
    ++armings_;
}

}  // namespace taktomat::platform::win32
