#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/win32/timer.h"
#include "window_fixture.h"

namespace taktomat::platform::win32 {
namespace {

class Win32MainWindowTest : public WindowFixture {
protected:
    RECT clientRectOf(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // Runs the thread's messages until `done` holds; false once the time is up.
    static bool pumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
        for (const ULONGLONG end = GetTickCount64() + milliseconds; !done();) {
            const ULONGLONG now = GetTickCount64();
            if (now >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                                      QS_ALLINPUT);
            for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                DispatchMessageW(&message);
            }
        }
        return true;
    }
};

TEST_F(Win32MainWindowTest, TimerTicksANextTickDueNowComesAtOnceAndOneItsHandlerSetsIsKept) {
    Timer& timer = window.addTimer(400);
    int ticks = 0;
    timer.setOnTick([&] { ++ticks; });
    timer.setEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return ticks == 1; }, 5000)) << "an enabled timer ticks";
    for (const int delay : {0, -1500}) {
        const int before = ticks;
        timer.setNextTickIn(std::chrono::milliseconds(delay));
        EXPECT_TRUE(pumpUntil([&] { return ticks > before; }, 100)) << "delay " << delay;
    }
    // As the countdown sets its next tick at every tick: the interval must not replace it.
    Timer& slow = window.addTimer(600000);
    int slowTicks = 0;
    slow.setOnTick([&] {
        if (++slowTicks == 1) slow.setNextTickIn(std::chrono::milliseconds(20));
    });
    slow.setEnabled(true);
    slow.setNextTickIn(std::chrono::milliseconds(0));
    EXPECT_TRUE(pumpUntil([&] { return slowTicks == 2; }, 20000));
}

// Set without coalescing, through the function user32 exports for it.
ULONG toleranceAsked = 0;
UINT_PTR WINAPI noteTolerance(HWND window, UINT_PTR id, UINT elapse, TIMERPROC, ULONG tolerance) {
    toleranceAsked = tolerance;
    return SetTimer(window, id, elapse, nullptr);
}

TEST_F(Win32MainWindowTest, TimerIsNeverCoalescedWhereTheSystemCouldDoSo) {
    EXPECT_EQ(reinterpret_cast<void*>(systemTimerSetter().coalescable),
              reinterpret_cast<void*>(
                  GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetCoalescableTimer")));
    EXPECT_NE(systemTimerSetter().coalescable, nullptr) << "Wine's user32 has it";
    Win32Timer timer(hwnd(), 99, 1000, {noteTolerance});
    timer.setEnabled(true);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(toleranceAsked, TIMERV_NO_COALESCING);
}

TEST_F(Win32MainWindowTest, DpiChangeLaysTheWindowAndItsControlsOutAgain) {
    window.addButton({"Command1", "Start", {4860, 1200, 1095, 420}, 3});
    const HWND button = GetDlgItem(hwnd(), 103);
    ASSERT_NE(button, nullptr);
    const HFONT fontBefore = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));

    RECT suggested{10, 10, 700, 300};
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

    RECT client{};
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 224);
    const RECT placed = clientRectOf(button);
    EXPECT_EQ(placed.left, 648);
    EXPECT_EQ(placed.top, 160);
    EXPECT_EQ(placed.right, 794);
    EXPECT_EQ(placed.bottom, 216);
    const HFONT fontAfter = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    EXPECT_NE(fontAfter, fontBefore) << "the font is picked again for the new DPI";
    LOGFONTW font{};
    GetObjectW(fontAfter, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, 192, 72));
}

TEST_F(Win32MainWindowTest, ControlsFollowTheTabIndexInFocusOrder) {
    // Created out of order, as the main window creates its controls.
    window.addTextBox({"c", "", {0, 0, 100, 100}, 2});
    window.addTextBox({"a", "", {0, 0, 100, 100}, 0});
    window.addLabel({"label", "x", {0, 0, 100, 100}, 1}, nullptr);
    window.addTextBox({"b", "", {0, 0, 100, 100}, 1 + 2});

    const HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    EXPECT_EQ(GetDlgCtrlID(first), 100);
    const HWND second = GetNextDlgTabItem(hwnd(), first, FALSE);
    EXPECT_EQ(GetDlgCtrlID(second), 102);
    const HWND third = GetNextDlgTabItem(hwnd(), second, FALSE);
    EXPECT_EQ(GetDlgCtrlID(third), 103);
}

TEST_F(Win32MainWindowTest, EnterAndEscapeCommandsReachNoControl) {
    int clicks = 0;
    Button& button = window.addButton({"Command1", "Start", {4860, 1200, 1095, 420}, 3});
    button.setOnClick([&] { ++clicks; });
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(clicks, 0);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(103, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), 103)));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Win32MainWindowTest, TrayCallbackPassesTheShellsMouseMessage) {
    std::vector<std::uint32_t> seen;
    window.setOnTrayCallback([&](std::uint32_t message) { seen.push_back(message); });
    SendMessageW(hwnd(), window.trayCallbackMessage(), 1, WM_LBUTTONDOWN);
    SendMessageW(hwnd(), window.trayCallbackMessage(), 1, WM_RBUTTONUP);
    // Ordinary pointer moves over the window are no tray callbacks.
    SendMessageW(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_LBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_GE(window.trayCallbackMessage(), static_cast<std::uint32_t>(WM_APP));
}

TEST_F(Win32MainWindowTest, TaskbarCreatedAndTheSessionsEndArePassedOn) {
    int created = 0;
    std::vector<int> session;  // 2 for the question, then whether the session ends
    window.setOnTaskbarCreated([&] { ++created; });
    window.setOnQueryEndSession([&] { session.push_back(2); });
    window.setOnEndSession([&](bool ending) { session.push_back(ending); });
    SendMessageW(hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(SendMessageW(hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(hwnd(), WM_ENDSESSION, FALSE, 0);
    SendMessageW(hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(session, (std::vector<int>{2, 0, 1}));
}

TEST_F(Win32MainWindowTest, MinimisingRaisesResizeAndReportsTheState) {
    int resizes = 0;
    window.setOnResize([&] { ++resizes; });
    window.show();
    window.setWindowState(WindowState::Minimised);
    EXPECT_EQ(window.windowState(), WindowState::Minimised);
    EXPECT_GE(resizes, 1);
    window.setWindowState(WindowState::Normal);
    EXPECT_EQ(window.windowState(), WindowState::Normal);
    window.hide();
    EXPECT_FALSE(window.visible());
}

}  // namespace
}  // namespace taktomat::platform::win32

namespace taktomat::platform::win32 {
namespace {

TEST(Win32MainWindowTeardown, NeitherAFocusedControlNorAnUnhandledCloseTripsIt) {
    Win32Icons icons(GetModuleHandleW(nullptr));
    const WindowLayout layout{"Test", 6000, 1680, IconId::Main};
    {
        Win32MainWindow window(GetModuleHandleW(nullptr), icons, layout);
        window.addTextBox({"a", "", {0, 0, 1000, 300}, 0});
        window.addTextBox({"b", "", {0, 400, 1000, 300}, 1});
        window.show();
        SetFocus(GetDlgItem(reinterpret_cast<HWND>(window.handle()), 101));
        // Destroyed with the focus in a control, whose notifications come during teardown.
    }
    Win32MainWindow window(GetModuleHandleW(nullptr), icons, layout);
    window.addTextBox({"a", "", {0, 0, 1000, 300}, 0});
    const HWND hwnd = reinterpret_cast<HWND>(window.handle());
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd)) << "without a handler a close destroys the window";
    EXPECT_EQ(window.handle(), 0u) << "and the object lets go of it";
    // The destruction posted the end of the message loop; later tests must not see it.
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace
}  // namespace taktomat::platform::win32
