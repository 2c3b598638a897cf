#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>

#include "platform/main_window.h"

namespace taktomat::platform::win32 {

// How a timer is set. Windows 8 and later may put off a timer by a tolerance of its own
// choosing to save power (coalescing); the moment of a start is this utility's one promise, so
// its timer opts out with SetCoalescableTimer where user32 has it. Windows 7 has SetTimer only.
struct TimerSetter {
    using Coalescable = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);
    Coalescable coalescable = nullptr;

    // Nonzero when the timer is set.
    UINT_PTR set(HWND window, UINT_PTR id, UINT elapse) const;
};
TimerSetter systemTimerSetter();

// A timer of the main window, on the window under an id of its own. The window hands each
// WM_TIMER with that id to tick().
class Win32Timer final : public Timer {
public:
    Win32Timer(HWND window, UINT_PTR id, int interval, TimerSetter setter = systemTimerSetter())
        : window_(window), id_(id), interval_(interval), setter_(setter) {}
    ~Win32Timer() override { setEnabled(false); }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    UINT_PTR id() const { return id_; }
    int intervalMilliseconds() const override { return interval_; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    void setNextTickIn(std::chrono::milliseconds delay) override;
    void setOnTick(EventHandler handler) override { onTick_ = std::move(handler); }
    void tick();

private:
    void arm(int period);

    HWND window_;
    UINT_PTR id_;
    int interval_;
    TimerSetter setter_;
    int period_ = 0;
    // How often the timer was set, so that a tick can tell whether its handler set it.
    std::uint64_t armings_ = 0;
    bool enabled_ = false;
    EventHandler onTick_;
};

}  // namespace taktomat::platform::win32
