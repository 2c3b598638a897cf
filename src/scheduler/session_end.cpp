#include <chrono>

#include "scheduler/scheduler.h"

namespace taktomat::scheduler {
namespace {

// Windows sends the session's end, or its going on, as soon as every program has answered the
// question, which each must do within 5 seconds before the user is asked about it; a log-off
// ends the utility within seconds. A question with nothing after it for a minute was not the
// system's (any program can send one) and holds no launch for longer.
constexpr TickSchedule::Duration kLongestHold = std::chrono::minutes(1);

}  // namespace

void Scheduler::sessionEnding() {
    sessionEnding_ = true;
    sessionEndingSince_ = platform_.clock().now();
}

void Scheduler::sessionGoesOn() {
    sessionEnding_ = false;
}

bool Scheduler::holdLaunch() {
    if (!sessionEnding_) return false;
    // The pass is not counted either: it is counted with the launch made up for it.
    heldLaunchOf_ = runNumber_;
    return true;
}

bool Scheduler::takeHeldLaunch() {
    if (sessionEnding_ && platform_.clock().now() - sessionEndingSince_ >= kLongestHold) {
        sessionGoesOn();
    }
    if (sessionEnding_ || heldLaunchOf_ != runNumber_) return false;
    // However many pass ends were held back, one launch stands for them; the half-interval
    // rule then folds a pass end due soon after it into it.
    heldLaunchOf_.reset();
    return true;
}

}  // namespace taktomat::scheduler
