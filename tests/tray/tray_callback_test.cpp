#include "tray/tray_callback.h"

#include <gtest/gtest.h>

#include "platform/tray_shell.h"

namespace taktomat::tray {
namespace {

namespace mouse = platform::tray_mouse;

TEST(TrayCallback, OnlyLeftAndRightButtonPressesAct) {
    const std::pair<std::uint32_t, TrayAction> cases[] = {
        {mouse::kMove, TrayAction::None},
        {mouse::kLeftButtonDown, TrayAction::ShowWindow},
        {mouse::kLeftButtonUp, TrayAction::None},
        {mouse::kLeftButtonDoubleClick, TrayAction::None},
        {mouse::kRightButtonDown, TrayAction::OpenMenu},
        {mouse::kRightButtonUp, TrayAction::None},
        {mouse::kRightButtonDoubleClick, TrayAction::None},
        {mouse::kMiddleButtonDown, TrayAction::None},
        {mouse::kMiddleButtonUp, TrayAction::None},
        {mouse::kMiddleButtonDoubleClick, TrayAction::None},
        {mouse::kWheel, TrayAction::None},
        {mouse::kExtraButtonDown, TrayAction::None},
        {mouse::kExtraButtonUp, TrayAction::None},
        {mouse::kExtraButtonDoubleClick, TrayAction::None},
        {mouse::kContextMenu, TrayAction::None},
        // The shell's later notifications (select, key select, balloons, pop-ups).
        {0x0400, TrayAction::None},
        {0x0401, TrayAction::None},
        {0x0402, TrayAction::None},
        {0x0406, TrayAction::None},
        // Numbers that the old pixel-to-twips decoding took for presses.
        {0x0F, TrayAction::None},
        {0x3C, TrayAction::None},
        {0x1E0F, TrayAction::None},
        {0x1E3C, TrayAction::None},
        {0, TrayAction::None},
    };
    for (const auto& [message, action] : cases) {
        EXPECT_EQ(trayActionFor(message), action) << "mouse message 0x" << std::hex << message;
    }
}

}  // namespace
}  // namespace taktomat::tray
