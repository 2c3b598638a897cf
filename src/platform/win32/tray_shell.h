#pragma once

#include <array>
#include <optional>

#include "platform/tray_shell.h"

namespace taktomat::platform::win32 {

class Win32TrayShell final : public TrayShell {
public:
    std::int32_t notify(TrayMessage message, const NotifyIconDataA& record) override;

private:
    // What the shell shows, as last added or modified: a modify that would send it again
    // changes nothing the user sees and is not sent. (A countdown at one second shows the
    // same text and icon at every tick.)
    std::optional<std::array<char, sizeof(NotifyIconDataA)>> shown_;
};

}  // namespace taktomat::platform::win32
