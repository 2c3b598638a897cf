#pragma once

#include <windows.h>

#include <array>
#include <map>

#include "platform/icons.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// The thirteen clock icons at the small-icon size of the tray and the title bar, loaded from
// the executable's resources once per size and kept until the process ends.
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
    void useSize(int size);

    HINSTANCE instance_;
    std::map<int, IconSet> sets_;
    const IconSet* current_ = nullptr;
};

}  // namespace taktomat::platform::win32
