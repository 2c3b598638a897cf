#include "scheduler/scheduler.h"

namespace taktomat::scheduler {

void Scheduler::sessionEnding() {
    sessionEnding_ = true;
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
    if (sessionEnding_ || heldLaunchOf_ != runNumber_) return false;
    // However many pass ends were held back, one launch stands for them; the half-interval
    // rule then folds a pass end due soon after it into it.
    heldLaunchOf_.reset();
    return true;
}

}  // namespace taktomat::scheduler
