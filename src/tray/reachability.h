#pragma once

#include "platform/main_window.h"
#include "tray/trayicon.h"

namespace taktomat::tray {

// The user must reach the utility at every moment: through its tray icon, or through its
// window while the shell holds no icon. Without either nobody could stop a run, and the
// program would be started until log-off.

// Whether the window may leave the screen for the tray: it is minimised and the icon is there.
bool belongsInTray(const platform::MainWindow& window, const TrayIcon& icon);

// After the icon went or came back: a hidden window returns to the task bar while the icon
// is missing, and a minimised one goes to the tray once it is there, as it would have.
void keepReachable(platform::MainWindow& window, const TrayIcon& icon);

}  // namespace taktomat::tray
