#include "platform/win32/icons.h"

#include "platform/win32/dpi.h"
#include "resource_ids.h"

namespace taktomat::platform::win32 {

Win32Icons::Win32Icons(HINSTANCE instance) : instance_(instance) {
    useSize(GetSystemMetrics(SM_CXSMICON));
}

void Win32Icons::useDpi(int dpi) {
    useSize(systemMetricForDpi(SM_CXSMICON, dpi));
}

void Win32Icons::useSize(int size) {
    auto [slot, added] = sets_.try_emplace(size);
    if (added) {
        for (size_t index = 0; index < slot->second.size(); ++index) {
            const int resource =
                index == 0 ? IDI_TAKTOMAT : IDI_FRAME1 + static_cast<int>(index) - 1;
            slot->second[index].reset(static_cast<HICON>(LoadImageW(
                instance_, MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        }
    }
    current_ = &slot->second;
}

NativeHandle Win32Icons::handle(IconId icon) const {
    return reinterpret_cast<NativeHandle>(current_->at(static_cast<size_t>(icon)).get());
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
