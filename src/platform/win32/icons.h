#pragma once

#include <windows.h>

#include <array>

#include "platform/icons.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// The thirteen clock icons at the small-icon size of the tray, loaded from the executable's
// resources once and kept until the process ends.
class Win32Icons final : public Icons {
public:
    explicit Win32Icons(HINSTANCE instance);
    NativeHandle handle(IconId icon) const override;

private:
    std::array<UniqueIcon, 1 + kFrameCount> icons_;
};

}  // namespace taktomat::platform::win32
