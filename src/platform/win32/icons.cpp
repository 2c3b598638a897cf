#include "platform/win32/icons.h"

#include "resource_ids.h"

namespace taktomat::platform::win32 {

Win32Icons::Win32Icons(HINSTANCE instance) {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    for (size_t index = 0; index < icons_.size(); ++index) {
        const int resource = index == 0 ? IDI_TAKTOMAT : IDI_FRAME1 + static_cast<int>(index) - 1;
        icons_[index].reset(static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    }
}

NativeHandle Win32Icons::handle(IconId icon) const {
    return reinterpret_cast<NativeHandle>(icons_.at(static_cast<size_t>(icon)).get());
}

}  // namespace taktomat::platform::win32
