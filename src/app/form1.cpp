#include "app/form1.h"

#include "app/form1_layout.h"
#include "app/info_text.h"
#include "cmdline/command_line.h"
#include "cmdline/help.h"
#include "dialogs/file_chooser.h"
#include "scheduler/number_filter.h"
#include "scheduler/product_texts.h"
#include "tray/reachability.h"
#include "tray/tray_callback.h"

namespace taktomat::app {
namespace {

platform::MainWindow& createWindow(platform::Platform& platform) {
    return platform.createMainWindow(form1WindowLayout());
}

platform::TwipsPoint lineStart(const ControlEntry& line) {
    return {line.bounds.left, line.bounds.top};
}

platform::TwipsPoint lineEnd(const ControlEntry& line) {
    return {line.bounds.left + line.bounds.width, line.bounds.top + line.bounds.height};
}

}  // namespace

Form1::Form1(platform::Platform& platform)
    : platform_(platform),
      window_(createWindow(platform)),
      Command4(window_.addButton(controlLayout("Command4"))),
      durchlauftxt(window_.addTextBox(controlLayout("durchlauftxt"))),
      Combo1(window_.addComboBox(controlLayout("Combo1"))),
      Command2(window_.addPictureButton(controlLayout("Command2"), platform::Picture::Folder)),
      dlgOpenFile(platform.openFileDialog()),
      sekundentxt(window_.addTextBox(controlLayout("sekundentxt"))),
      Timer1(window_.addTimer(kTimerIntervalMilliseconds)),
      Command1(window_.addButton(controlLayout("Command1"))),
      dateinametxt(window_.addTextBox(controlLayout("dateinametxt"))),
      Label4(window_.addLabel(controlLayout("Label4"), &durchlauftxt)),
      Label3(window_.addLabel(controlLayout("Label3"), &Combo1)),
      infolabel(window_.addLabel(controlLayout("infolabel"), nullptr)),
      Label2(window_.addLabel(controlLayout("Label2"), &sekundentxt)),
      Label1(window_.addLabel(controlLayout("Label1"), &dateinametxt)),
      Menu(window_.addPopupMenu({
          {"porgmnu", std::string(kTrayMenuItems[0].caption), {}},
          {"progmnu", std::string(kTrayMenuItems[1].caption), [this] { progmnu_Click(); }},
          {"nurwennbeendetmnu", std::string(kTrayMenuItems[2].caption),
           [this] { nurwennbeendetmnu_Click(); }},
          {"strichmnu", std::string(kTrayMenuItems[3].caption), {}},
          {"quitmnu", std::string(kTrayMenuItems[4].caption), [this] { quitmnu_Click(); }},
      })),
      nurwennbeendetmnu(Menu.checkMark("nurwennbeendetmnu")),
      trayicon_(platform.trayShell()),
      scheduler_({window_, dateinametxt, sekundentxt, durchlauftxt, Combo1, Command2, Command1,
                  Timer1, nurwennbeendetmnu},
                 platform, trayicon_, [this] { shutDown(); }) {
    // The line is painted by the window, not a control: where it comes in the creation order
    // makes no difference.
    const ControlEntry& line = controlEntry("Line1");
    window_.addLine(lineStart(line), lineEnd(line));
    wireEvents();
}

void Form1::wireEvents() {
    window_.setOnResize([this] { Form_Resize(); });
    window_.setOnCloseRequest([this] { shutDown(); });
    window_.setOnTrayCallback([this](std::uint32_t message) { trayIcon_Callback(message); });
    window_.setOnTaskbarCreated([this] { taskbar_Created(); });
    window_.setOnQueryEndSession([this] { Form_QueryEndSession(); });
    window_.setOnEndSession([this](bool ending) { Form_EndSession(ending); });
    trayicon_.setOnShownChanged([this] { tray::keepReachable(window_, trayicon_); });
    window_.setOnDpiChanged([this] { window_DpiChanged(); });
    Command1.setOnClick([this] { Command1_Click(); });
    Command2.setOnClick([this] { Command2_Click(); });
    Command4.setOnClick([this] { Command4_Click(); });
    Combo1.setOnEdit([this] { Combo1_Change(); });
    sekundentxt.setOnChange([this] { sekundentxt_Change(); });
    durchlauftxt.setOnChange([this] { durchlauftxt_Change(); });
    Timer1.setOnTick([this] { Timer1_Timer(); });
}

void Form1::open() {
    Form_Load();
    // A run started during the startup has sent the window to the tray; it stays there if
    // the shell took the icon.
    if (!tray::belongsInTray(window_, trayicon_)) window_.show();
}

void Form1::Form_Load() {
    window_.setCaption(scheduler::versionCaption(platform_.version()));
    infolabel.setText(infoText());
    // Added in index order, so that an entry's index is the show-window value it names.
    Combo1.clear();
    for (std::string_view text : kWindowModeTexts) Combo1.addItem(std::string(text));
    settings::loadSettings(platform_.settingsStore(), settingsFields(), kDefaultWindowMode);
    // The countdown modifies the icon every second: it must exist before a command line can
    // start one.
    addTrayIcon();
    handOverCommandLine();
}

void Form1::handOverCommandLine() {
    const std::string commandLine = platform_.commandLine();
    if (!commandLine.empty()) parseCommandLine(commandLine);
}

void Form1::parseCommandLine(const std::string& commandLine) {
    cmdline::parseCommandLine(
        commandLine, {Combo1, sekundentxt, durchlauftxt, dateinametxt, platform_.messageBoxes(),
                      [this] { Command1_Click(); }});
}

settings::SettingsFields Form1::settingsFields() {
    return {sekundentxt, durchlauftxt, dateinametxt, Combo1, nurwennbeendetmnu};
}

void Form1::addTrayIcon() {
    trayicon_.fill(window_.handle(), window_.trayCallbackMessage(), window_.icon(),
                   window_.caption());
    trayicon_.add();
}

void Form1::Form_Resize() {
    if (shuttingDown_ || window_.windowState() != platform::WindowState::Minimised) return;
    // The tray is asked once more for an icon it refused; once the icon is there, the window
    // goes to it (the icon's arrival sees to that).
    if (!trayicon_.shown()) {
        trayicon_.add();
        return;
    }
    window_.hide();
}

void Form1::Form_QueryUnload(std::int16_t& /*cancel*/, std::int16_t& /*reason*/) {
    // A close request, or the session's end, while the box below is open finishes the end;
    // every other event then does nothing, so that the tray stays as the end left it.
    if (shuttingDown_) platform_.process().endProcess();
    shuttingDown_ = true;
    // The icon goes first, so that nothing of the utility outlives it in the tray even if
    // a write hangs.
    trayicon_.remove();
    const platform::SaveOutcome saved =
        settings::saveSettings(platform_.settingsStore(), settingsFields());
    if (!saved.saved && !sessionEnds_) {
        // The box lets the timer tick: the run launches nothing more while the utility ends.
        Timer1.setEnabled(false);
        settings::reportUnsavedSettings(platform_.messageBoxes(), platform_.settingsStore(), saved);
    }
    platform_.process().endProcess();
}

void Form1::trayIcon_Callback(std::uint32_t mouseMessage) {
    if (shuttingDown_) return;
    switch (tray::trayActionFor(mouseMessage)) {
        case tray::TrayAction::ShowWindow:
            showWindowFromTray();
            break;
        case tray::TrayAction::OpenMenu:
            window_.showPopupMenu(Menu);
            break;
        case tray::TrayAction::None:
            break;
    }
}

void Form1::taskbar_Created() {
    // The shell forgot our icon with its old task bar; bring it back as it was, unless the
    // end has removed it.
    if (!shuttingDown_) trayicon_.addAgain();
}

void Form1::Form_QueryEndSession() {
    // The answer is always yes; programs started from now on would be cut off.
    if (!shuttingDown_) scheduler_.sessionEnding();
}

void Form1::Form_EndSession(bool ending) {
    if (!ending) {
        if (!shuttingDown_) scheduler_.sessionGoesOn();
        return;
    }
    // Windows sends no close request at log-off: the same orderly end as one, without a box
    // that nobody could answer any more.
    sessionEnds_ = true;
    shutDown();
}

void Form1::window_DpiChanged() {
    if (shuttingDown_) return;
    // The icon shown keeps its picture at the new size; the old size's handle stays alive.
    const auto shown = platform_.icons().identify(trayicon_.trayData.hIcon);
    if (!shown) return;
    trayicon_.trayData.hIcon = platform_.icons().handle(*shown);
    trayicon_.modify();
}

void Form1::showWindowFromTray() {
    window_.setWindowState(platform::WindowState::Normal);
    window_.show();
}

void Form1::Command1_Click() {
    scheduler_.Command1_Click();
}

void Form1::Command2_Click() {
    dialogs::Command2_Click(dlgOpenFile, platform_.messageBoxes(), dateinametxt);
}

void Form1::Command4_Click() {
    cmdline::showCommandLineHelp(platform_.messageBoxes());
}

void Form1::Combo1_Change() {
    Combo1.setSelectedIndex(kDefaultWindowMode);
}

void Form1::sekundentxt_Change() {
    scheduler::filterNumberField(sekundentxt, altsekunden);
}

void Form1::durchlauftxt_Change() {
    scheduler::filterNumberField(durchlauftxt, altdurchlaeufe);
}

void Form1::Timer1_Timer() {
    if (!shuttingDown_) scheduler_.Timer1_Timer();
}

void Form1::progmnu_Click() {
    showWindowFromTray();
}

void Form1::nurwennbeendetmnu_Click() {
    // The run reads the mark at its next pass end.
    nurwennbeendetmnu.setChecked(!nurwennbeendetmnu.checked());
}

void Form1::quitmnu_Click() {
    shutDown();
}

void Form1::shutDown() {
    std::int16_t cancel = 0;
    std::int16_t reason = 0;
    Form_QueryUnload(cancel, reason);
}

}  // namespace taktomat::app
