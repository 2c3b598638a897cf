#include "tray/reachability.h"

namespace taktomat::tray {

bool belongsInTray(const platform::MainWindow& window, const TrayIcon& icon) {
    return icon.shown() && window.windowState() == platform::WindowState::Minimised;
}

void keepReachable(platform::MainWindow& window, const TrayIcon& icon) {
    if (!icon.shown()) {
        // Minimised and without the focus: one more icon lost while the shell is busy must not
        // take the user's typing away.
        if (!window.visible()) window.showOnTaskBar();
    } else if (window.visible() && belongsInTray(window, icon)) {
        window.hide();
    }
}

}  // namespace taktomat::tray
