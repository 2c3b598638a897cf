#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace taktomat::scheduler {

// When the countdown's ticks fall due: tick k at the start plus k seconds, kept on the
// monotonic clock, because the window system's timer only wakes the utility up roughly, so
// the launches never drift. A wake-up that comes late takes every tick due by then at once
// and shows only the last; after a long gap (the machine asleep) the schedule starts afresh
// from the tick it handles. Launches are kept at least half an interval apart, so a stall
// never ends in a burst of them.
class TickSchedule {
public:
    using Duration = std::chrono::milliseconds;

    static constexpr Duration kTickLength{1000};
    // A wake-up this much before the due time counts as on time: the clock reads in steps.
    static constexpr Duration kEarlyTolerance{20};
    // Further behind than this the machine was asleep: the pass pauses where it was.
    static constexpr Duration kPauseAfter{5000};

    // The first tick falls due one tick length after `now`.
    void begin(Duration now);
    // How many ticks fell due by `now` since the last wake-up that took any, now counted as
    // handled; the last of them is the one to show. After a gap longer than kPauseAfter only
    // one, and the schedule goes on from `now`.
    std::int64_t takeDueTicks(Duration now);
    // When the last tick taken fell due.
    Duration lastDueTime() const { return base_ + kTickLength * handled_; }
    // How long from `now` until the next tick falls due; zero or less when it is due.
    Duration untilNextTick(Duration now) const;

    void noteLaunch(Duration at) { lastLaunch_ = at; }
    // False for a pass end due less than half an interval after the last launch: a late
    // launch stands for it too.
    bool launchDueFor(Duration passEnd, std::int32_t maxsekunden) const;

private:
    Duration nextDueTime() const { return base_ + kTickLength * (handled_ + 1); }

    Duration base_{0};
    std::int64_t handled_ = 0;
    std::optional<Duration> lastLaunch_;
};

}  // namespace taktomat::scheduler
