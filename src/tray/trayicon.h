#pragma once

#include <cstdint>
#include <string_view>

#include "platform/tray_shell.h"

namespace taktomat::tray {

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags =
    platform::kNifMessage | platform::kNifIcon | platform::kNifTip;

// The one tray record of the process and the three shell operations on it. Every call
// passes the whole record; the shell's answer is returned but nobody needs to look at it.
class TrayIcon {
public:
    explicit TrayIcon(platform::TrayShell& shell) : shell_(shell) {}

    // Identifier 1, flags message + icon + tip; window, callback, icon and tip as given.
    void fill(platform::NativeHandle window, std::uint32_t callbackMessage,
              platform::NativeHandle icon, std::string_view tip);
    // Sets the two fields that change after the icon was added.
    void setImageAndTip(platform::NativeHandle icon, std::string_view tip);

    std::int32_t add() { return shell_.notify(platform::TrayMessage::Add, trayData); }
    std::int32_t modify() { return shell_.notify(platform::TrayMessage::Modify, trayData); }
    std::int32_t remove() { return shell_.notify(platform::TrayMessage::Delete, trayData); }

    platform::NotifyIconDataA trayData{};

private:
    platform::TrayShell& shell_;
};

}  // namespace taktomat::tray
