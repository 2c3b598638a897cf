#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "scheduler/file_check.h"
#include "scheduler/scheduler.h"
#include "tray/reachability.h"

namespace taktomat::scheduler {
namespace {

constexpr const char* kFilePrompt = "Die angegebene Datei \"";

class Flag {
public:
    explicit Flag(bool& flag) : flag_(flag) { flag_ = true; }
    ~Flag() { flag_ = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& flag_;
};

}  // namespace

void Scheduler::Timer1_Timer() {
    if (inTick_) return;
    const Flag ticking(inTick_);
    const std::int64_t dueTicks = schedule_.takeDueTicks(platform_.clock().now());
    if (dueTicks > 0) countdownTick(dueTicks);
    // A tick that stopped the run leaves the timer off; otherwise it wakes up for the next,
    // at once when ticks fell due during a slow start.
    if (controls_.Timer1.enabled()) {
        controls_.Timer1.setNextTickIn(schedule_.untilNextTick(platform_.clock().now()));
    }
}

void Scheduler::countdownTick(std::int64_t dueTicks) {
    // After a stall only the tick due now is shown; a pass end passed on the way, or one held
    // back while the session was ending, owes one launch; a tick that ends a pass launches for
    // it anyway. The second stays the one due now, so the pass ends after it keep to the grid.
    const bool held = takeHeldLaunch();
    const bool passed = skipTicks(runState_, dueTicks - 1);
    bool owesLaunch = false;
    if ((held || passed) && runState_.sekunde < runState_.maxsekunden) {
        owesLaunch = held || launchDueFor(schedule_.lastDueTime() -
                                          TickSchedule::kTickLength * runState_.sekunde);
    }
    // The tick shows before any start, with the owed launch counted, so that a start, which
    // may be slow, is the last work of this wake-up: the ticks due meanwhile are the next
    // one's, which comes at once, after the messages that waited. A launch that ends the run
    // leaves the tick unshown, as the utility ends with it; one held back counts nothing yet.
    const TickPlan plan = planTick(runState_, leftOut_);
    RunState counted = runState_;
    if (!owesLaunch || sessionEnding_) {
        showTick(plan);
    } else if (!countPass(counted)) {
        showTick(planTick(counted, leftOut_));
    }
    if (owesLaunch && !endPass()) return;
    if (!plan.passOver) {
        advance(runState_, plan);
        return;
    }
    runState_.sekunde = 1;
    // A pass end folded into the late launch just before it has no launch, and so no pass.
    if (launchDueFor(schedule_.lastDueTime())) endPass();
}

void Scheduler::showTick(const TickPlan& plan) {
    const std::string text = sessionEnding_ ? heldLaunchesText(runState_) : plan.text;
    trayicon_.setImageAndTip(plan.image == platform::IconId::Main
                                 ? controls_.window.icon()
                                 : platform_.icons().handle(plan.image),
                             text);
    trayicon_.modify();
    controls_.window.setCaption(text);
}

bool Scheduler::launchDueFor(TickSchedule::Duration passEnd) const {
    // A wake-up may come a little before its due time: the launch is as far from the last one
    // as the earlier of the two moments.
    return schedule_.launchDueFor(std::min(passEnd, platform_.clock().now()),
                                  runState_.maxsekunden);
}

bool Scheduler::endPass() {
    if (holdLaunch()) return true;
    // A pass end left out keeps the place of its launch, so the grid goes on as without it.
    schedule_.noteLaunch(platform_.clock().now());
    leftOut_ = lastProgramRuns();
    if (!leftOut_ && !launchProgram()) return false;
    // A pass whose launch failed and stopped the run counts all the same.
    if (countPass(runState_)) shutdown_();
    return controls_.Timer1.enabled();
}

bool Scheduler::lastProgramRuns() const {
    return controls_.nurwennbeendetmnu.checked() && lastProgram_ && !lastProgram_->hasEnded();
}

bool Scheduler::launchProgram() {
    const std::uint64_t run = runNumber_;
    const std::string path = controls_.dateinametxt.text();
    if (!fileExists(platform_.fileSystem(), path)) {
        abandonRun(kFilePrompt + path + "\" exisitiert nicht mehr!", "Datei nicht gefunden");
        return run == runNumber_;
    }
    platform::StartOutcome started =
        platform_.programStarter().start(path, controls_.Combo1.selectedIndex());
    // The shell may pump messages: a run stopped or begun anew meanwhile is not this launch's,
    // and neither counts it nor ends with it.
    if (run != runNumber_ || !controls_.Timer1.enabled()) return false;
    if (!started.started) {
        abandonRun(kFilePrompt + path + "\" konnte nicht gestartet werden!\r\n" + started.errorText,
                   "Programmstart fehlgeschlagen");
        return run == runNumber_;
    }
    // Held until the next launch or the run's stop, which closes it.
    lastProgram_ = std::move(started.program);
    // A window the user brought back during the run stays; the minimised one goes again.
    if (tray::belongsInTray(controls_.window, trayicon_)) controls_.window.hide();
    return true;
}

void Scheduler::abandonRun(const std::string& prompt, const std::string& title) {
    platform_.messageBoxes().show(prompt, platform::message_box_style::kCritical, title);
    // A run the user stopped while the start was under way must not start again.
    if (controls_.Timer1.enabled()) Command1_Click();
}

}  // namespace taktomat::scheduler
