#pragma once

#include <windows.h>

#include <vector>

#include "platform/main_window.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// A shortcut menu built from the items once; showing it waits until the user has chosen an
// item or left the menu, and then runs the chosen item's handler.
class Win32PopupMenu final : public PopupMenu {
public:
    explicit Win32PopupMenu(std::vector<MenuItem> items);

    const std::vector<MenuItem>& items() const override { return items_; }

    // At the mouse pointer, on behalf of `owner`.
    void show(HWND owner) const;

private:
    static constexpr UINT kFirstItemId = 1000;

    void choose(UINT id) const;

    std::vector<MenuItem> items_;
    UniqueMenu menu_;
};

}  // namespace taktomat::platform::win32
