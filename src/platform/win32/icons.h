#pragma once

#include <windows.h>

#include <array>
#include <map>

#include "platform/icons.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// The thirteen clock icons at the small-icon size of the tray and the title bar, each loaded
// from the executable's resources at its first use at a size and kept until the process
// ends. A start needs the main icon only; a frame comes when a countdown first shows it.
class Win32Icons final : public Icons {
public:
    // At the system DPI's size.
    explicit Win32Icons(HINSTANCE instance);
    NativeHandle handle(IconId icon) const override;
    std::optional<IconId> identify(NativeHandle handle) const override;
    // From now on handle() answers with the icons of this DPI's size.
    void useDpi(int dpi);

private:
    using IconSet = std::array<UniqueIcon, 1 + kFrameCount>;

    HINSTANCE instance_;
    int size_;
    // Filled as the icons are asked for, which is why a lookup may add to it.
    mutable std::map<int, IconSet> sets_;
};

}  // namespace taktomat::platform::win32
