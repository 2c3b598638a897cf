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

bool TrayIcon::addAgain() {
    shell_.notify(platform::TrayMessage::Delete, trayData);
    return put(platform::TrayMessage::Add);
}

void TrayIcon::remove() {
    shell_.notify(platform::TrayMessage::Delete, trayData);
    shown_ = false;
}

bool TrayIcon::put(platform::TrayMessage first) {
    using platform::TrayAnswer;
    using platform::TrayMessage;
    const bool before = shown_;
    const TrayMessage other = first == TrayMessage::Add ? TrayMessage::Modify : TrayMessage::Add;
    TrayAnswer answer = shell_.notify(first, trayData);
    if (answer == TrayAnswer::Refused) answer = shell_.notify(other, trayData);
    if (answer != TrayAnswer::Late) shown_ = answer == TrayAnswer::Done;
    if (shown_ != before && onShownChanged_) onShownChanged_();
    return shown_;
}

}  // namespace taktomat::tray
