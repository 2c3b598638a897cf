#include "scheduler/file_check.h"
#include "scheduler/file_name.h"
#include "scheduler/number.h"
#include "scheduler/product_texts.h"
#include "scheduler/scheduler.h"
#include "tray/reachability.h"

namespace taktomat::scheduler {
namespace {

constexpr const char* kInvalidInterval = "Die angegebene Zeitspanne ist ungültig!";
constexpr const char* kInvalidIntervalTitle = "Ungültige Zeitspanne";

}  // namespace

Scheduler::Scheduler(const RunControls& controls, platform::Platform& platform,
                     tray::TrayIcon& trayicon, std::function<void()> shutdown)
    : controls_(controls),
      platform_(platform),
      trayicon_(trayicon),
      shutdown_(std::move(shutdown)) {}

void Scheduler::Command1_Click() {
    if (controls_.Command1.caption() == kStartCaption) {
        start();
    } else {
        stop();
    }
}

bool Scheduler::inputsAreValid() {
    if (!fileExists(platform_.fileSystem(), controls_.dateinametxt.text())) {
        refuse("Die angegebene Datei \"" + controls_.dateinametxt.text() + "\" exisitiert nicht!",
               "Datei nicht gefunden");
        return false;
    }
    if (!isNumber(controls_.sekundentxt.text())) {
        refuse(kInvalidInterval, kInvalidIntervalTitle);
        return false;
    }
    if (!isNumber(controls_.durchlauftxt.text())) {
        refuse("Die angegebene Anzahl an Durchläufen ist ungültig!",
               "Ungültige Anzahl an Durchläufen");
        return false;
    }
    if (toInt32(controls_.sekundentxt.text()).value_or(0) < 1) {
        refuse(kInvalidInterval, kInvalidIntervalTitle);
        return false;
    }
    return true;
}

void Scheduler::refuse(const std::string& prompt, const std::string& title) {
    platform_.messageBoxes().show(prompt, platform::message_box_style::kCritical, title);
}

void Scheduler::start() {
    // The checks, the launches and the stored settings all take the name from the field.
    unquoteFileName(controls_.dateinametxt);
    if (!inputsAreValid()) return;
    setInputsEnabled(false);
    runState_.maxsekunden = toInt32(controls_.sekundentxt.text()).value_or(0);
    runState_.maxdurchlaeufe = toInt32(controls_.durchlauftxt.text()).value_or(0);
    runState_.sekunde = 1;
    runState_.durchlauf = 0;
    leftOut_ = false;
    ++runNumber_;
    // The user starts it: a question of the session before does not hold it.
    sessionEnding_ = false;
    controls_.Command1.setCaption(kStopCaption);
    controls_.window.setWindowState(platform::WindowState::Minimised);
    if (tray::belongsInTray(controls_.window, trayicon_)) controls_.window.hide();
    platform_.programStarter().prepare();
    schedule_.begin(platform_.clock().now());
    controls_.Timer1.setEnabled(true);
}

void Scheduler::stop() {
    controls_.Timer1.setEnabled(false);
    lastProgram_.reset();
    const platform::Version version = platform_.version();
    controls_.window.setCaption(versionCaption(version));
    trayicon_.setImageAndTip(controls_.window.icon(), productTip(version));
    trayicon_.modify();
    setInputsEnabled(true);
    controls_.Command1.setCaption(kStartCaption);
}

void Scheduler::setInputsEnabled(bool enabled) {
    controls_.dateinametxt.setEnabled(enabled);
    controls_.sekundentxt.setEnabled(enabled);
    controls_.durchlauftxt.setEnabled(enabled);
    controls_.Combo1.setEnabled(enabled);
    controls_.Command2.setEnabled(enabled);
}

}  // namespace taktomat::scheduler
