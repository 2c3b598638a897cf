// The real window system and shell against the checks the fake platform passes too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/platform_contract.h"
#include "platform/win32/system_services.h"
#include "platform/win32/text.h"
#include "platform/win32/tray_shell.h"
#include "platform/win32/unique_handle.h"
#include "window_fixture.h"

namespace taktomat::platform::win32 {
namespace {

class Win32Contract : public WindowFixture {};

TEST_F(Win32Contract, TrayShellHoldsEachIconOnce) {
    Win32TrayShell shell;
    contract::expectTrayShellHoldsEachIconOnce(
        shell, window.handle(), icons.handle(IconId::Main),
        [](const auto& record) { Win32TrayShell().notify(TrayMessage::Delete, record); });
}

TEST_F(Win32Contract, StateChangesLeaveAHiddenWindowHidden) {
    contract::expectStateChangesLeaveAHiddenWindowHidden(window);
}

TEST_F(Win32Contract, TheStoreReportsItsWrites) {
    Win32SettingsStore store;
    contract::expectTheStoreReportsItsWrites(store, "Taktomat Vertrag");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Taktomat Vertrag");
}

TEST_F(Win32Contract, NamesMatchWithoutCase) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::vector<UniqueKernelHandle> files;
    contract::expectNamesMatchWithoutCase(Win32FileSystem(), [&](const char* name) {
        const std::wstring path = temp + toWide(name);
        files.emplace_back(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        return toUtf8(path);
    });
}

TEST_F(Win32Contract, ABoxLocksTheWindow) {
    HWND owner = hwnd();
    Win32MessageBoxes boxes(owner);
    // The window's timer ticks inside the box's own loop, as it does in a run.
    Timer& timer = window.addTimer(20);
    std::vector<std::pair<HWND, LONG_PTR>> seen;  // each box's owner and extended style
    contract::expectABoxLocksTheWindow(
        window, boxes,
        [&](std::function<void()> during) {
            timer.setOnTick([&, during, ticks = 0]() mutable {
                const HWND box = FindWindowW(L"#32770", L"Vertrag");
                // A box that never shows must not hold the suite: a quit ends its loop.
                if (!box && ++ticks < 100) return;
                timer.setEnabled(false);
                if (!box) return PostQuitMessage(0);
                during();
                seen.emplace_back(GetWindow(box, GW_OWNER), GetWindowLongPtrW(box, GWL_EXSTYLE));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            });
            timer.setEnabled(true);
        },
        [&] { return IsWindowEnabled(hwnd()) != FALSE; });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, hwnd()) << "the shown window owns its box";
    EXPECT_EQ(seen[1].first, nullptr) << "the hidden window's box has none";
    EXPECT_TRUE(seen[1].second & WS_EX_TOPMOST) << "and stays in front";
}

}  // namespace
}  // namespace taktomat::platform::win32
