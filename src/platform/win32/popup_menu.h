#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/main_window.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// The check mark as the menu shows it; the menu outlives it.
class Win32CheckMark final : public CheckMark {
public:
    Win32CheckMark(HMENU menu, UINT id) : menu_(menu), id_(id) {}

    bool checked() const override { return checked_; }
    void setChecked(bool checked) override;

private:
    HMENU menu_;
    UINT id_;
    bool checked_ = false;
};

// A shortcut menu built from the items once; showing it waits until the user has chosen an
// item or left the menu, and then runs the chosen item's handler.
class Win32PopupMenu final : public PopupMenu {
public:
    explicit Win32PopupMenu(std::vector<MenuItem> items);

    const std::vector<MenuItem>& items() const override { return items_; }
    CheckMark& checkMark(const std::string& name) override { return marks_.at(name); }

    // At the mouse pointer, on behalf of `owner`.
    void show(HWND owner) const;

private:
    static constexpr UINT kFirstItemId = 1000;

    void choose(UINT id) const;

    std::vector<MenuItem> items_;
    UniqueMenu menu_;
    std::map<std::string, Win32CheckMark> marks_;
};

}  // namespace taktomat::platform::win32
