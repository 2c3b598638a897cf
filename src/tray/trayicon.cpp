#include "tray/trayicon.h"

#include "tray/tooltip.h"

namespace taktomat::tray {

void TrayIcon::fill(platform::NativeHandle window, std::uint32_t callbackMessage,
                    platform::NativeHandle icon, std::string_view tip) {
    trayData = {};
    trayData.cbSize = platform::kNotifyIconFirstFormSize;
    trayData.hWnd = window;
    trayData.uID = kTrayIconId;
    trayData.uFlags = kTrayFlags;
    trayData.uCallbackMessage = callbackMessage;
    setImageAndTip(icon, tip);
}

void TrayIcon::setImageAndTip(platform::NativeHandle icon, std::string_view tip) {
    trayData.hIcon = icon;
    setTooltip(trayData, tip);
}

}  // namespace taktomat::tray
