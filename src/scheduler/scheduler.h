#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "scheduler/run_state.h"
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
};

inline constexpr const char* kStartCaption = "Start";
inline constexpr const char* kStopCaption = "Stop";

// The switch between idle and running. Whether a run is active is held by the caption of
// the Start/Stop button alone: "Start" means idle.
class Scheduler {
public:
    Scheduler(RunControls controls, platform::Platform& platform, tray::TrayIcon& trayicon);

    // Start when the button reads exactly "Start", else stop.
    void Command1_Click();

    const RunState& runState() const { return runState_; }

private:
    void start();
    void stop();
    // The four checks in their order; the first that fails shows its box and says no.
    bool inputsAreValid();
    void refuse(const std::string& prompt, const std::string& title);
    void setInputsEnabled(bool enabled);

    RunControls controls_;
    platform::Platform& platform_;
    tray::TrayIcon& trayicon_;
    RunState runState_;
};

}  // namespace taktomat::scheduler
