#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "scheduler/scheduler.h"
#include "settings/settings.h"
#include "tray/trayicon.h"

namespace taktomat::app {

// The utility's one window: its controls, named as the user knows them from the layout,
// and the event handlers that the window system calls.
class Form1 {
public:
    explicit Form1(platform::Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Runs the startup and shows the window.
    void open();

    // Event handlers.
    void Form_Load();
    void Form_Resize();
    // The shutdown; it ends the process and so never returns. Neither argument is used.
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t& reason);
    void trayIcon_Callback(std::uint32_t mouseMessage);
    void taskbar_Created();
    void Form_QueryEndSession();
    // `ending` is false when the session goes on after all.
    void Form_EndSession(bool ending);
    void window_DpiChanged();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Combo1_Change();
    void sekundentxt_Change();
    void durchlauftxt_Change();
    void Timer1_Timer();
    void progmnu_Click();
    void nurwennbeendetmnu_Click();
    void quitmnu_Click();

    tray::TrayIcon& trayicon() { return trayicon_; }
    const scheduler::RunState& runState() const { return scheduler_.runState(); }

private:
    void wireEvents();
    void addTrayIcon();
    void handOverCommandLine();
    // Every way out: the shutdown with a cancel flag and a reason of 0.
    void shutDown();
    void parseCommandLine(const std::string& commandLine);
    settings::SettingsFields settingsFields();
    void showWindowFromTray();

    platform::Platform& platform_;
    platform::MainWindow& window_;

    // The controls, in the order in which the window creates them.
    platform::Button& Command4;
    platform::TextBox& durchlauftxt;
    platform::ComboBox& Combo1;
    platform::Button& Command2;
    platform::OpenFileDialog& dlgOpenFile;
    platform::TextBox& sekundentxt;
    platform::Timer& Timer1;
    platform::Button& Command1;
    platform::TextBox& dateinametxt;
    platform::Label& Label4;
    platform::Label& Label3;
    platform::Label& infolabel;
    platform::Label& Label2;
    platform::Label& Label1;
    platform::PopupMenu& Menu;
    // Checked: a pass end starts nothing while the program started last still runs.
    platform::CheckMark& nurwennbeendetmnu;

    tray::TrayIcon trayicon_;
    scheduler::Scheduler scheduler_;
    // The last texts the number fields' filters accepted.
    std::string altsekunden;
    std::string altdurchlaeufe;
    // Set once the shutdown has begun, and when the session ends, where no box can be answered.
    // From then on the handlers only finish the end.
    bool shuttingDown_ = false;
    bool sessionEnds_ = false;
};

}  // namespace taktomat::app
