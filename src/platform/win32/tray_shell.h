#pragma once

#include "platform/tray_shell.h"

namespace taktomat::platform::win32 {

class Win32TrayShell final : public TrayShell {
public:
    std::int32_t notify(TrayMessage message, const NotifyIconDataA& record) override;
};

}  // namespace taktomat::platform::win32
