#include "scheduler/tick_schedule.h"

namespace taktomat::scheduler {

void TickSchedule::begin(Duration now) {
    base_ = now;
    handled_ = 0;
}

bool TickSchedule::takeDueTick(Duration now) {
    const Duration due = dueTime();
    if (now < due - kEarlyTolerance) return false;
    if (now - due > kCatchUpLimit) {
        // This tick happens now, as if it had been on time; the ones after follow from it.
        base_ = now - kTickLength * (handled_ + 1);
    }
    ++handled_;
    return true;
}

TickSchedule::Duration TickSchedule::untilNextTick(Duration now) const {
    return dueTime() - now;
}

}  // namespace taktomat::scheduler
