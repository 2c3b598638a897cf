#pragma once

#include <chrono>
#include <cstdint>

namespace taktomat::scheduler {

// When the countdown's ticks fall due: tick k at the start plus k seconds, kept on the
// monotonic clock, because the window system's timer only wakes the utility up roughly.
// A wake-up that comes a little late makes the tick up, so no second is lost and launches
// stay on time; after a long gap (the machine asleep) the schedule starts afresh from the
// tick it handles, one tick at a time and never in a burst.
class TickSchedule {
public:
    using Duration = std::chrono::milliseconds;

    static constexpr Duration kTickLength{1000};
    // A wake-up this much before the due time counts as on time: the clock reads in steps.
    static constexpr Duration kEarlyTolerance{20};
    // Further behind than this, catching up would bunch ticks and launches together.
    static constexpr Duration kCatchUpLimit{5000};

    // The first tick falls due one tick length after `now`.
    void begin(Duration now);
    // True when a tick is due at `now`; the schedule then counts it as handled.
    bool takeDueTick(Duration now);
    // How long from `now` until the next tick falls due; zero or less when it is due.
    Duration untilNextTick(Duration now) const;

private:
    Duration dueTime() const { return base_ + kTickLength * (handled_ + 1); }

    Duration base_{0};
    std::int64_t handled_ = 0;
};

}  // namespace taktomat::scheduler
