#include "platform/win32/icons.h"

#include "platform/win32/dpi.h"
#include "resource_ids.h"

namespace taktomat::platform::win32 {

Win32Icons::Win32Icons(HINSTANCE instance)
    : instance_(instance), size_(GetSystemMetrics(SM_CXSMICON)) {}

void Win32Icons::useDpi(int dpi) {
    size_ = systemMetricForDpi(SM_CXSMICON, dpi);
}

NativeHandle Win32Icons::handle(IconId icon) const {
    const auto index = static_cast<size_t>(icon);
    UniqueIcon& slot = sets_[size_].at(index);
    if (!slot) {
        const int resource = index == 0 ? IDI_TAKTOMAT : IDI_FRAME1 + static_cast<int>(index) - 1;
        slot.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                                 size_, size_, LR_DEFAULTCOLOR)));
    }
    return reinterpret_cast<NativeHandle>(slot.get());
}

std::optional<IconId> Win32Icons::identify(NativeHandle handle) const {
    for (const auto& [size, set] : sets_) {
        for (size_t index = 0; index < set.size(); ++index) {
            if (handle != 0 && reinterpret_cast<NativeHandle>(set[index].get()) == handle) {
                return static_cast<IconId>(index);
            }
        }
    }
    return std::nullopt;
}

}  // namespace taktomat::platform::win32
