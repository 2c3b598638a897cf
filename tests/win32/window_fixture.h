#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/icons.h"
#include "platform/win32/main_window.h"

namespace taktomat::platform::win32 {

// A real main window of the utility's size, without the product's resources.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture()
        : icons(GetModuleHandleW(nullptr)),
          window(GetModuleHandleW(nullptr), icons, {"Test", 6000, 1680, IconId::Main}) {}

    HWND hwnd() const { return reinterpret_cast<HWND>(window.handle()); }
    // Controls' ids are the first id plus their tab index.
    HWND controlWithTabIndex(int tabIndex) const {
        return GetDlgItem(hwnd(), Win32MainWindow::kFirstControlId + tabIndex);
    }

    Win32Icons icons;
    Win32MainWindow window;
};

}  // namespace taktomat::platform::win32
