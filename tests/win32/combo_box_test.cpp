#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/icons.h"
#include "platform/win32/main_window.h"

namespace taktomat::platform::win32 {
namespace {

class Win32ComboBoxTest : public ::testing::Test {
protected:
    Win32ComboBoxTest()
        : icons(GetModuleHandleW(nullptr)),
          window(GetModuleHandleW(nullptr), icons, {"Test", 6000, 1680, IconId::Main}),
          combo(window.addComboBox({"Combo1", "", {3150, 405, 2805, 315}, 7})) {
        for (const char* item : {"null", "eins", "zwei"}) combo.addItem(item);
        combo.setOnEdit([this] { ++edits; });
    }

    HWND editPart() const {
        const HWND box = GetDlgItem(reinterpret_cast<HWND>(window.handle()), 107);
        return FindWindowExW(box, nullptr, L"Edit", nullptr);
    }

    Win32Icons icons;
    Win32MainWindow window;
    ComboBox& combo;
    int edits = 0;
};

TEST_F(Win32ComboBoxTest, SelectionByTheProgramIsNoEdit) {
    combo.setSelectedIndex(2);
    EXPECT_EQ(combo.selectedIndex(), 2);
    EXPECT_EQ(combo.text(), "zwei");
    EXPECT_EQ(combo.itemCount(), 3);
    EXPECT_EQ(edits, 0);
}

TEST_F(Win32ComboBoxTest, TypingIntoTheTextPartIsAnEdit) {
    ASSERT_NE(editPart(), nullptr);
    SendMessageW(editPart(), WM_CHAR, L'x', 0);
    EXPECT_EQ(edits, 1);
}

TEST_F(Win32ComboBoxTest, ClearEmptiesTheList) {
    combo.setSelectedIndex(1);
    combo.clear();
    EXPECT_EQ(combo.itemCount(), 0);
    EXPECT_EQ(combo.selectedIndex(), -1);
}

}  // namespace
}  // namespace taktomat::platform::win32
