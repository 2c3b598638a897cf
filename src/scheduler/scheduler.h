#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "scheduler/countdown.h"
#include "scheduler/run_state.h"
#include "scheduler/tick_schedule.h"
#include "tray/trayicon.h"

namespace taktomat::scheduler {

// The main window's controls that a run reads, locks and unlocks.
struct RunControls {
    platform::MainWindow& window;
    platform::TextBox& dateinametxt;
    platform::TextBox& sekundentxt;
    platform::TextBox& durchlauftxt;
    platform::ComboBox& Combo1;
    platform::Button& Command2;
    platform::Button& Command1;
    platform::Timer& Timer1;
    const platform::CheckMark& nurwennbeendetmnu;
};

inline constexpr const char* kStartCaption = "Start";
inline constexpr const char* kStopCaption = "Stop";

// The switch between idle and running, the countdown and the launches. Whether a run is
// active is held by the caption of the Start/Stop button alone: "Start" means idle.
class Scheduler {
public:
    // `shutdown` ends the utility after the last pass; it does not return.
    Scheduler(const RunControls& controls, platform::Platform& platform, tray::TrayIcon& trayicon,
              std::function<void()> shutdown);

    // Start when the button reads exactly "Start", else stop.
    void Command1_Click();
    // A wake-up of the timer: handles the tick that is due, if any, and arms the timer for
    // the next one.
    void Timer1_Timer();

    // The session has agreed to end: from now on no launch is made, since a program started
    // now would be cut off with the session, and the ticks say so. A new run, or a minute
    // without the session's end, lets the launches go on.
    void sessionEnding();
    // The session goes on after all: the run keeps to its grid, and a pass end it held back
    // meanwhile is made up once, at the next tick, as after any stall.
    void sessionGoesOn();

    const RunState& runState() const { return runState_; }

private:
    void start();
    void stop();
    // Shows the last of the ticks that fell due at this wake-up, with the one launch they owe.
    void countdownTick(std::int64_t dueTicks);
    void showTick(const TickPlan& plan);
    // Whether a launch now stands for the pass that ended at `passEnd`.
    bool launchDueFor(TickSchedule::Duration passEnd) const;
    // Launches and counts the pass; false when its run is over (stopped, replaced or ended).
    bool endPass();
    // True when the session is ending: the pass end's launch is owed instead.
    bool holdLaunch();
    // Whether this run owes a launch held back while the session was ending, which goes on
    // now; the debt is taken with the answer.
    bool takeHeldLaunch();
    // True when the user chose that a pass end starts nothing while the program of the last
    // launch still runs, and it does; asked at a pass end only, without waiting.
    bool lastProgramRuns() const;
    // False when the run was stopped or begun anew while the program was being started.
    bool launchProgram();
    // A launch that failed: the user is told, and the run stops.
    void abandonRun(const std::string& prompt, const std::string& title);
    // The four checks in their order; the first that fails shows its box and says no.
    bool inputsAreValid();
    void refuse(const std::string& prompt, const std::string& title);
    void setInputsEnabled(bool enabled);

    RunControls controls_;
    platform::Platform& platform_;
    tray::TrayIcon& trayicon_;
    std::function<void()> shutdown_;
    RunState runState_;
    TickSchedule schedule_;
    // Set while a tick runs: a box it opens lets the window system deliver further wake-ups,
    // which must neither launch nor count.
    bool inTick_ = false;
    // Counts the starts, so that a pass knows whether its run is still the one running.
    std::uint64_t runNumber_ = 0;
    bool sessionEnding_ = false;
    TickSchedule::Duration sessionEndingSince_{0};
    // The run that owes a launch held back while the session was ending.
    std::optional<std::uint64_t> heldLaunchOf_;
    // The program of this run's last launch, if it can be watched.
    std::unique_ptr<platform::StartedProgram> lastProgram_;
    // Set when a pass end started nothing because that program still ran, until a launch.
    bool leftOut_ = false;
};

}  // namespace taktomat::scheduler
