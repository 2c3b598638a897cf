#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/tray_shell.h"

namespace taktomat::tray {

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags =
    platform::kNifMessage | platform::kNifIcon | platform::kNifTip;

// The one tray record of the process and the three shell operations on it. Every call
// passes the whole record. The shell may refuse a call (at sign-in it is often too busy to
// answer in time), so the icon keeps track of whether the shell holds it.
class TrayIcon {
public:
    explicit TrayIcon(platform::TrayShell& shell) : shell_(shell) {}

    // Identifier 1, flags message + icon + tip; window, callback, icon and tip as given.
    void fill(platform::NativeHandle window, std::uint32_t callbackMessage,
              platform::NativeHandle icon, std::string_view tip);
    // Sets the two fields that change after the icon was added.
    void setImageAndTip(platform::NativeHandle icon, std::string_view tip);

    // Each puts the record into the tray, and says whether the shell holds the icon now. A
    // refused modify tries an add: a modify never brings back an icon the shell lacks. A
    // refused add tries a modify: an earlier add answered late may have been made. A late
    // answer leaves the icon as it was thought to be, without a second call, which would
    // keep the utility waiting as long again.
    bool add() { return put(platform::TrayMessage::Add); }
    bool modify() { return put(platform::TrayMessage::Modify); }
    // For a new task bar: delete then add, since the icon may have survived, where an add
    // alone would fail.
    bool addAgain();
    void remove();

    // Whether the shell holds the icon, as far as its last answer in time tells: false only
    // once an add was refused.
    bool shown() const { return shown_; }
    // Runs when an add or modify finds the icon gone or back.
    void setOnShownChanged(std::function<void()> handler) { onShownChanged_ = std::move(handler); }

    platform::NotifyIconDataA trayData{};

private:
    bool put(platform::TrayMessage first);

    platform::TrayShell& shell_;
    bool shown_ = false;
    std::function<void()> onShownChanged_;
};

}  // namespace taktomat::tray
