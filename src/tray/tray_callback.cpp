#include "tray/tray_callback.h"

#include "platform/tray_shell.h"

namespace taktomat::tray {

TrayAction trayActionFor(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
        case platform::tray_mouse::kLeftButtonDown:
            return TrayAction::ShowWindow;
        case platform::tray_mouse::kRightButtonDown:
            return TrayAction::OpenMenu;
        default:
            return TrayAction::None;
    }
}

}  // namespace taktomat::tray
