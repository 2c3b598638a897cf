#include "platform/win32/popup_menu.h"

#include "platform/win32/text.h"

namespace taktomat::platform::win32 {

void Win32CheckMark::setChecked(bool checked) {
    checked_ = checked;
    CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

Win32PopupMenu::Win32PopupMenu(std::vector<MenuItem> items)
    : items_(std::move(items)), menu_(CreatePopupMenu()) {
    UINT id = kFirstItemId;
    for (const MenuItem& item : items_) {
        if (item.caption == "-") {
            AppendMenuW(menu_.get(), MF_SEPARATOR, id, nullptr);
        } else {
            AppendMenuW(menu_.get(), MF_STRING, id, toWide(item.caption).c_str());
            marks_.try_emplace(item.name, menu_.get(), id);
        }
        ++id;
    }
}

void Win32PopupMenu::show(HWND owner) const {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pointer.x,
                       pointer.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    choose(chosen);
}

void Win32PopupMenu::choose(UINT id) const {
    if (id < kFirstItemId || id - kFirstItemId >= items_.size()) return;
    const MenuItem& item = items_[id - kFirstItemId];
    if (item.onClick) item.onClick();
}

}  // namespace taktomat::platform::win32
