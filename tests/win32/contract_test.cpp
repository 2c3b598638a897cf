// The real window system and shell against the checks the fake platform passes too.
#include <gtest/gtest.h>

#include "contract/platform_contract.h"
#include "platform/win32/tray_shell.h"
#include "window_fixture.h"

namespace taktomat::platform::win32 {
namespace {

class Win32Contract : public WindowFixture {};

TEST_F(Win32Contract, TrayShellHoldsEachIconOnce) {
    Win32TrayShell shell;
    contract::expectTrayShellHoldsEachIconOnce(shell, window.handle(), icons.handle(IconId::Main));
}

TEST_F(Win32Contract, StateChangesLeaveAHiddenWindowHidden) {
    contract::expectStateChangesLeaveAHiddenWindowHidden(window);
}

}  // namespace
}  // namespace taktomat::platform::win32
