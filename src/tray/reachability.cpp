#include "tray/reachability.h"

namespace taktomat::tray {

bool belongsInTray(const platform::MainWindow& window, const TrayIcon& icon) {
    return icon.shown() && window.windowState() == platform::WindowState::Minimised;
}

void keepReachable(platform::MainWindow& window, const TrayIcon& icon) {
    if (!icon.shown()) {
        // In its state: a window hidden while minimised comes back minimised.
        if (!window.visible()) window.show();
    } else if (window.visible() && belongsInTray(window, icon)) {
        window.hide();
    }
}

}  // namespace taktomat::tray
