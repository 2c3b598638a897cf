// The number filter and Start/Stop of the real executable, driven by real key presses and
// clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui_driver.h"
#include "taktomat_product.h"

namespace taktomat::e2e {
namespace {

class StartStop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(product.ready()) << product.why();
        ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(product.window()) != FALSE; }));
        SetWindowPos(product.window(), nullptr, 300, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(product.activate());
        ASSERT_TRUE(waitUntil([&] { return product.focus() == product.control(kFile); }));
    }

    // Moves the focus from the file field to the seconds field: file, browse, seconds.
    void focusSeconds() {
        pressKey(VK_TAB);
        pressKey(VK_TAB);
        ASSERT_TRUE(waitUntil([&] { return product.focus() == product.control(kSeconds); }));
    }

    void typeInto(int tabIndex, const char* keys, const wchar_t* expected) {
        typeKeys(keys);
        ASSERT_TRUE(waitUntil([&] { return windowText(product.control(tabIndex)) == expected; }))
            << "the field shows " << utf8(windowText(product.control(tabIndex)));
    }

    bool inputsEnabled(bool enabled) {
        for (int tabIndex : {kFile, kSeconds, kPasses, kMode, kBrowse}) {
            if ((IsWindowEnabled(product.control(tabIndex)) != FALSE) != enabled) return false;
        }
        return true;
    }

    Product product;
};

TEST_F(StartStop, LettersTypedIntoTheSecondsFieldLeaveItUnchanged) {
    setText(product.control(kSeconds), L"");
    ASSERT_NO_FATAL_FAILURE(focusSeconds());
    ASSERT_NO_FATAL_FAILURE(typeInto(kSeconds, "12", L"12"));
    typeKeys("ab");
    // Keys arrive in order: when the digit after the letters is there, the letters were
    // handled before it.
    ASSERT_NO_FATAL_FAILURE(typeInto(kSeconds, "3", L"123"));
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(product.control(kSeconds), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
}

TEST_F(StartStop, EmptySecondsFieldIsRefusedWithItsBox) {
    setText(product.control(kFile), kTaktomatExe);
    setText(product.control(kSeconds), L"");
    ASSERT_TRUE(clickOn(product.control(kStartStop)));

    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (box = findProcessWindow(product.processId(), L"Ung\u00fcltige Zeitspanne")) !=
               nullptr;
    })) << "no box titled Ungültige Zeitspanne";
    EXPECT_EQ(utf8(messageBoxText(box)), "Die angegebene Zeitspanne ist ungültig!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));

    EXPECT_TRUE(IsWindowVisible(product.window()));
    EXPECT_EQ(windowText(product.control(kStartStop)), L"Start");
    EXPECT_TRUE(inputsEnabled(true));
}

TEST_F(StartStop, ValidStartHidesAndLocksAndStopUnlocks) {
    setText(product.control(kFile), kTaktomatExe);
    setText(product.control(kSeconds), L"");
    ASSERT_NO_FATAL_FAILURE(focusSeconds());
    ASSERT_NO_FATAL_FAILURE(typeInto(kSeconds, "60", L"60"));
    setText(product.control(kPasses), L"0");

    ASSERT_TRUE(clickOn(product.control(kStartStop)));
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(product.window()); }))
        << "the start sends the window to the tray";
    EXPECT_TRUE(inputsEnabled(false));
    EXPECT_EQ(windowText(product.control(kStartStop)), L"Stop");

    // Back from the tray, and stop.
    POINT icon{};
    ASSERT_TRUE(trayIconPosition(icon)) << "no notification area";
    ASSERT_TRUE(clickUntil(icon, 1, [&] { return IsWindowVisible(product.window()) != FALSE; }));
    ASSERT_TRUE(clickOn(product.control(kStartStop)));

    EXPECT_TRUE(waitUntil([&] { return windowText(product.control(kStartStop)) == L"Start"; }));
    EXPECT_TRUE(inputsEnabled(true));
    EXPECT_EQ(utf8(windowText(product.window())), "Ravik Taktomate 1.2");
    EXPECT_TRUE(IsWindowVisible(product.window())) << "the stop keeps the window as it was";
}

}  // namespace
}  // namespace taktomat::e2e
