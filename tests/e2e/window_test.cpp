// The real main window under the real window system: its controls, size, keyboard
// handling and the way back from the tray.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui_driver.h"

namespace taktomat::e2e {
namespace {

struct ExpectedControl {
    int tabIndex;
    const wchar_t* windowClass;
    const wchar_t* text;
};

const ExpectedControl kControls[] = {
    {0, L"Edit", L""},
    {1, L"Button", L""},
    {2, L"Edit", L"5"},
    {3, L"Button", L"Start"},
    {4, L"Static", L"Dateiname:"},
    {5, L"Static", L"Interval in Sekunden:"},
    {7, L"ComboBox", L"minimiertes Fenster ohne Focus"},
    {8, L"Static", L"Ausf\u00fchren als"},
    {9, L"Edit", L"0"},
    {10, L"Static", L"Anzahl maximaler Durchl\u00e4ufe(0=unendlich):"},
    {11, L"Button", L"Hilfe"},
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(product.ready()) << product.why();
        ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(product.window()) != FALSE; }))
            << "the window is shown after its startup";
        // Out of the way of the notification area, which sits in the top left corner.
        SetWindowPos(product.window(), nullptr, 300, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void minimiseIntoTheTray() {
        ShowWindow(product.window(), SW_MINIMIZE);
        ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(product.window()); }))
            << "a minimised window hides itself";
    }

    POINT trayIcon() {
        POINT position{};
        EXPECT_TRUE(trayIconPosition(position)) << "no notification area";
        return position;
    }

    Product product;
};

TEST_F(MainWindow, ControlsExistWithTheirTextsAndNoMenuBar) {
    for (const ExpectedControl& expected : kControls) {
        const HWND control = product.control(expected.tabIndex);
        ASSERT_NE(control, nullptr) << "tab index " << expected.tabIndex;
        EXPECT_EQ(className(control), expected.windowClass) << "tab index " << expected.tabIndex;
        EXPECT_EQ(utf8(windowText(control)), utf8(expected.text))
            << "tab index " << expected.tabIndex;
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
    }
    EXPECT_TRUE(GetWindowLongW(product.control(1), GWL_STYLE) & BS_BITMAP)
        << "the browse button shows a picture";
    EXPECT_EQ(SendMessageW(product.control(7), CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(SendMessageW(product.control(7), CB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(GetMenu(product.window()), nullptr);
    // A screen reader names a field after the label just before it among the children.
    for (const auto& [field, label] : {std::pair{0, 4}, {2, 5}, {7, 8}, {9, 10}}) {
        EXPECT_EQ(GetWindow(product.control(field), GW_HWNDPREV), product.control(label)) << field;
    }
}

TEST_F(MainWindow, ClientAreaIs400By112PixelsAt96Dpi) {
    RECT client{};
    ASSERT_TRUE(GetClientRect(product.window(), &client));
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 112);
    EXPECT_FALSE(GetWindowLongW(product.window(), GWL_STYLE) & WS_THICKFRAME)
        << "the frame is fixed";
    EXPECT_TRUE(GetWindowLongW(product.window(), GWL_STYLE) & WS_MINIMIZEBOX);
}

TEST_F(MainWindow, TabVisitsTheInputsInOrderAndComesBack) {
    ASSERT_TRUE(product.activate());
    ASSERT_TRUE(waitUntil([&] { return product.focus() == product.control(0); }))
        << "the file field has the focus when the window opens";
    const int order[] = {1, 2, 3, 7, 9, 11, 0};
    for (int tabIndex : order) {
        pressKey(VK_TAB);
        const HWND expected = product.control(tabIndex);
        EXPECT_TRUE(waitUntil([&] {
            const HWND focus = product.focus();
            // The window-mode field's focus is in its edit part.
            return focus == expected || (focus && GetParent(focus) == expected);
        })) << "Tab did not reach tab index "
            << tabIndex;
    }
}

TEST_F(MainWindow, EnterAndEscapeTriggerNothing) {
    ASSERT_TRUE(product.activate());
    ASSERT_TRUE(waitUntil([&] { return product.focus() == product.control(0); }));
    pressKey(VK_RETURN);
    pressKey(VK_ESCAPE);
    // Keys are handled in order: once the marker has arrived, so have Enter and Escape.
    typeKeys("m");
    ASSERT_TRUE(waitUntil([&] { return windowText(product.control(0)) == L"m"; }));

    EXPECT_TRUE(product.running());
    EXPECT_TRUE(IsWindowVisible(product.window()));
    EXPECT_FALSE(IsIconic(product.window()));
    EXPECT_EQ(windowText(product.control(3)), L"Start");
    EXPECT_EQ(GetForegroundWindow(), product.window()) << "no box opened";
}

TEST_F(MainWindow, EnterOnAFocusedButtonPressesNothing) {
    ASSERT_TRUE(product.activate());
    ASSERT_TRUE(waitUntil([&] { return product.focus() == product.control(0); }));
    // File field, browse button, seconds field, Start: Enter on both buttons.
    for (int tabIndex : {1, 3}) {
        while (product.focus() != product.control(tabIndex)) {
            const HWND before = product.focus();
            pressKey(VK_TAB);
            ASSERT_TRUE(waitUntil([&] { return product.focus() != before; }));
        }
        pressKey(VK_RETURN);
        // Were the button pressed, a box (Start with an empty file field) or the file dialog
        // would take the focus; the next Tab shows that it stayed in the window.
        const HWND before = product.focus();
        pressKey(VK_TAB);
        ASSERT_TRUE(waitUntil([&] { return product.focus() != before; }));
        EXPECT_EQ(GetAncestor(product.focus(), GA_ROOT), product.window())
            << "Enter on tab index " << tabIndex << " opened a window";
        EXPECT_EQ(findProcessWindow(product.processId(), L"Datei nicht gefunden"), nullptr)
            << "Enter on tab index " << tabIndex << " pressed the button";
        EXPECT_EQ(windowText(product.control(3)), L"Start");
    }
}

TEST_F(MainWindow, TypingIntoTheWindowModeFieldSelectsTheLastMode) {
    const HWND combo = product.control(7);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(product.activate());
    while (!(product.focus() && GetParent(product.focus()) == combo)) {
        const HWND before = product.focus();
        pressKey(VK_TAB);
        ASSERT_TRUE(waitUntil([&] { return product.focus() != before; }));
    }
    typeKeys("x");
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == 6; }));
    EXPECT_EQ(utf8(windowText(combo)), "minimiertes Fenster ohne Focus");
}

TEST_F(MainWindow, MinimisingHidesAndALeftClickOnTheTrayIconBringsItBack) {
    ASSERT_NO_FATAL_FAILURE(minimiseIntoTheTray());
    EXPECT_TRUE(clickUntil(trayIcon(), 1, [&] {
        return IsWindowVisible(product.window()) && !IsIconic(product.window());
    })) << "the window came not back in normal size";
}

TEST_F(MainWindow, RightClickOnTheTrayIconOpensTheMenuWhoseLastItemQuits) {
    ASSERT_NO_FATAL_FAILURE(minimiseIntoTheTray());
    ASSERT_TRUE(clickUntil(trayIcon(), 3, [] { return openPopupMenu() != nullptr; }))
        << "no pop-up menu";
    EXPECT_FALSE(IsWindowVisible(product.window())) << "the menu alone does not show the window";

    // Up from no selection lands on the last item, "Programm verlassen".
    pressKey(VK_UP);
    pressKey(VK_RETURN);
    EXPECT_TRUE(product.waitForExit()) << "quitting from the menu ends the utility";
}

// Display scaling is a per-user setting that Wine reads when a program starts.
class DisplayScaling {
public:
    explicit DisplayScaling(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD size = sizeof previous_;
        hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    ~DisplayScaling() {
        if (hadValue_) {
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    DisplayScaling(const DisplayScaling&) = delete;
    DisplayScaling& operator=(const DisplayScaling&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 96;
    bool hadValue_ = false;
};

TEST(ScaledDisplay, LayoutGrowsWithTheDpi) {
    DisplayScaling scaling(144);
    Product product;
    ASSERT_TRUE(product.ready()) << product.why();
    RECT client{};
    ASSERT_TRUE(GetClientRect(product.window(), &client));
    EXPECT_EQ(client.right - client.left, 600);
    EXPECT_EQ(client.bottom - client.top, 168);

    // The Start button: 4860, 1200, 1095 x 420 twips.
    RECT button{};
    GetWindowRect(product.control(3), &button);
    MapWindowPoints(nullptr, product.window(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, 486);
    EXPECT_EQ(button.top, 120);
    EXPECT_EQ(button.right - button.left, 110);
    EXPECT_EQ(button.bottom - button.top, 42);
}

}  // namespace
}  // namespace taktomat::e2e
