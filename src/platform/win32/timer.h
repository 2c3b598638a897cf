#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>

#include "platform/main_window.h"

namespace taktomat::platform::win32 {

// A timer of the main window: SetTimer on the window, under an id of its own. The window
// hands each WM_TIMER with that id to tick().
class Win32Timer final : public Timer {
public:
    Win32Timer(HWND window, UINT_PTR id, int interval)
        : window_(window), id_(id), interval_(interval) {}
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
    int period_ = 0;
    // How often the timer was set, so that a tick can tell whether its handler set it.
    std::uint64_t armings_ = 0;
    bool enabled_ = false;
    EventHandler onTick_;
};

}  // namespace taktomat::platform::win32
