#include "scheduler/tick_schedule.h"

namespace taktomat::scheduler {

void TickSchedule::begin(Duration now) {
    base_ = now;
    handled_ = 0;
    lastLaunch_.reset();
}

std::int64_t TickSchedule::takeDueTicks(Duration now) {
    const Duration next = nextDueTime();
    if (now < next - kEarlyTolerance) return 0;
    if (now - next > kPauseAfter) {
        // This tick happens now, as if it had been on time; the ones after follow from it.
        base_ = now - kTickLength * (handled_ + 1);
        ++handled_;
        return 1;
    }
    const std::int64_t due = (now + kEarlyTolerance - base_) / kTickLength;
    const std::int64_t taken = due - handled_;
    handled_ = due;
    return taken;
}

TickSchedule::Duration TickSchedule::untilNextTick(Duration now) const {
    return nextDueTime() - now;
}

bool TickSchedule::launchDueFor(Duration passEnd, std::int32_t maxsekunden) const {
    return !lastLaunch_ || passEnd >= *lastLaunch_ + kTickLength * maxsekunden / 2;
}

}  // namespace taktomat::scheduler
