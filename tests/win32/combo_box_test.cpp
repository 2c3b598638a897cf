#include <windows.h>

#include <gtest/gtest.h>

#include "window_fixture.h"

namespace taktomat::platform::win32 {
namespace {

class Win32ComboBoxTest : public WindowFixture {
protected:
    Win32ComboBoxTest() : combo(window.addComboBox({"Combo1", "", {3150, 405, 2805, 315}, 7})) {
        for (const char* item : {"null", "eins", "zwei"}) combo.addItem(item);
        combo.setOnEdit([this] { ++edits; });
    }

    HWND editPart() const {
        const HWND box = controlWithTabIndex(7);
        return FindWindowExW(box, nullptr, L"Edit", nullptr);
    }

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
