#include <string>

#include "scheduler/file_check.h"
#include "scheduler/scheduler.h"

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
    if (schedule_.takeDueTick(platform_.clock().now())) countdownTick();
    // A tick that stopped the run leaves the timer off; otherwise it wakes up for the next.
    if (controls_.Timer1.enabled()) {
        controls_.Timer1.setNextTickIn(schedule_.untilNextTick(platform_.clock().now()));
    }
}

void Scheduler::countdownTick() {
    const TickPlan plan = planTick(runState_);
    trayicon_.setImageAndTip(plan.image == platform::IconId::Main
                                 ? controls_.window.icon()
                                 : platform_.icons().handle(plan.image),
                             plan.text);
    trayicon_.modify();
    controls_.window.setCaption(plan.text);
    if (plan.passOver) launchProgram();
    // A pass whose launch failed and stopped the run counts all the same.
    if (advance(runState_, plan)) shutdown_();
}

void Scheduler::launchProgram() {
    const std::string path = controls_.dateinametxt.text();
    if (!fileExists(platform_.fileSystem(), path)) {
        abandonRun(kFilePrompt + path + "\" exisitiert nicht mehr!", "Datei nicht gefunden");
        return;
    }
    const platform::StartOutcome started =
        platform_.programStarter().start(path, controls_.Combo1.selectedIndex());
    if (!started.started) {
        abandonRun(kFilePrompt + path + "\" konnte nicht gestartet werden!\r\n" + started.errorText,
                   "Programmstart fehlgeschlagen");
        return;
    }
    // A window the user brought back during the run stays; the minimised one goes again.
    if (controls_.window.windowState() == platform::WindowState::Minimised) {
        controls_.window.hide();
    }
}

void Scheduler::abandonRun(const std::string& prompt, const std::string& title) {
    platform_.messageBoxes().show(prompt, platform::message_box_style::kCritical, title);
    Command1_Click();
}

}  // namespace taktomat::scheduler
