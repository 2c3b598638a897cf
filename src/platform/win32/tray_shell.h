#pragma once

#include <array>
#include <optional>

#include "platform/tray_shell.h"

namespace taktomat::platform::win32 {

class Win32TrayShell final : public TrayShell {
public:
    TrayAnswer notify(TrayMessage message, const NotifyIconDataA& record) override;

private:
    // What the shell shows, as last added or modified. (A countdown at one second shows the
    // same text and icon at every tick.)
    std::optional<std::array<char, sizeof(NotifyIconDataA)>> shown_;
};

}  // namespace taktomat::platform::win32
