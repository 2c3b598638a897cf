#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "app/form1.h"
#include "platform/tray_shell.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using platform::WindowState;
using testing::FakePlatform;
namespace mouse = platform::tray_mouse;

class Form1Tray : public ::testing::Test {
protected:
    Form1Tray() { form.open(); }

    void hideInTray() {
        window.userMinimise();
        ASSERT_FALSE(window.visible());
    }

    FakePlatform platform;
    Form1 form{platform};
    testing::FakeMainWindow& window = platform.window();
};

TEST_F(Form1Tray, IconIsAddedWithTheWindowsRecord) {
    ASSERT_EQ(platform.tray.calls.size(), 1u);
    const auto& call = platform.tray.calls[0];
    EXPECT_EQ(call.message, platform::TrayMessage::Add);
    EXPECT_EQ(call.record.cbSize, sizeof(platform::NotifyIconDataA));
    EXPECT_EQ(call.record.hWnd, window.handle());
    EXPECT_EQ(call.record.uID, 1u);
    EXPECT_EQ(call.record.uFlags, 7u);
    EXPECT_EQ(call.record.uCallbackMessage, window.trayCallbackMessage());
    EXPECT_EQ(call.record.hIcon, platform.icons().handle(platform::IconId::Main));
}

TEST_F(Form1Tray, MinimisingHidesTheWindowOtherStatesLeaveIt) {
    EXPECT_TRUE(window.visible());
    form.Form_Resize();
    EXPECT_TRUE(window.visible()) << "a normal window stays";

    window.userMinimise();
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(window.windowState(), WindowState::Minimised);
}

TEST_F(Form1Tray, LeftButtonPressBringsTheWindowBackInNormalSize) {
    hideInTray();
    window.trayCallback(mouse::kLeftButtonDown);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.windowState(), WindowState::Normal);
}

TEST_F(Form1Tray, OtherMouseMessagesLeaveTheHiddenWindowHidden) {
    hideInTray();
    for (std::uint32_t message :
         {mouse::kMove, mouse::kLeftButtonUp, mouse::kLeftButtonDoubleClick, mouse::kRightButtonUp,
          mouse::kRightButtonDoubleClick, mouse::kMiddleButtonDown, std::uint32_t{0x0400}}) {
        window.trayCallback(message);
        EXPECT_FALSE(window.visible()) << message;
    }
    EXPECT_EQ(window.menusShown(), 0);
}

TEST_F(Form1Tray, RightButtonPressOpensTheMenuAndShowItemActsLikeLeftPress) {
    hideInTray();
    window.whileMenuOpen = [](const testing::FakePopupMenu&) {
        return std::optional<std::string>("progmnu");
    };
    window.trayCallback(mouse::kRightButtonDown);
    EXPECT_EQ(window.menusShown(), 1);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.windowState(), WindowState::Normal);
}

TEST_F(Form1Tray, MenuClosedWithoutChoiceOrOnTheTitleChangesNothing) {
    hideInTray();
    window.trayCallback(mouse::kRightButtonDown);
    window.whileMenuOpen = [](const testing::FakePopupMenu&) {
        return std::optional<std::string>("porgmnu");
    };
    window.trayCallback(mouse::kRightButtonDown);
    EXPECT_EQ(window.menusShown(), 2);
    EXPECT_FALSE(window.visible());
    EXPECT_FALSE(platform.processEnd.ended);
}

TEST_F(Form1Tray, QuitItemRemovesTheIconAndEndsTheProcess) {
    window.whileMenuOpen = [](const testing::FakePopupMenu&) {
        return std::optional<std::string>("quitmnu");
    };
    EXPECT_TRUE(platform.endsProcess([&] { window.trayCallback(mouse::kRightButtonDown); }));
    ASSERT_EQ(platform.tray.calls.size(), 2u);
    EXPECT_EQ(platform.tray.calls[1].message, platform::TrayMessage::Delete);
}

TEST_F(Form1Tray, NewTaskbarGetsTheIconBackWithItsCurrentTipAndImage) {
    tray::TrayIcon& icon = form.trayicon();
    icon.setImageAndTip(platform.icons().handle(platform::IconId::Frame5), "3s bis Programmstart");

    window.taskbarCreated();

    ASSERT_EQ(platform.tray.calls.size(), 3u);
    EXPECT_EQ(platform.tray.calls[1].message, platform::TrayMessage::Delete)
        << "an icon that survived would make the add fail";
    const auto& call = platform.tray.calls[2];
    EXPECT_EQ(call.message, platform::TrayMessage::Add);
    EXPECT_EQ(call.tipText(), "3s bis Programmstart");
    EXPECT_EQ(call.record.hIcon, platform.icons().handle(platform::IconId::Frame5));
    EXPECT_EQ(call.record.uID, 1u);
}

// While the shell holds no icon, neither minimising nor Start nor a tick hides the window;
// a busy shell that answers again gets the icon (a new one, or the one it kept) at a tick.
// A late answer changes nothing; a refused add brings the window back minimised, unfocused.
TEST(Form1TrayRefused, TheWindowStaysUntilATickGetsTheIconInWithTheTicksTip) {
    FakePlatform platform;
    platform.files.addFile("c:\\tool.exe");
    platform.store.put("Raviktaktomate", "Startup", "dateiname", "c:\\tool.exe");
    platform.commandLineText = "start";
    platform.tray.unavailable = true;
    Form1 form(platform);
    form.open();
    auto& window = platform.window();
    window.setWindowState(WindowState::Normal);
    window.userMinimise();
    window.button("Command1").userClick();  // Stop, and Start again with the window shown
    window.button("Command1").userClick();
    const auto shows = std::ranges::count(platform.journal, "window: show");
    enum Shell { Refuses, Answers, Late };
    // The shell's answer at a tick, and whether the window is on the task bar after it.
    const std::pair<Shell, bool> ticks[] = {{Refuses, true}, {Answers, false}, {Late, false},
                                            {Refuses, true}, {Late, true},     {Answers, false}};
    for (const auto& [shell, visible] : ticks) {
        platform.tray.unavailable = shell == Refuses;
        platform.tray.late = shell == Late;
        window.timer().elapse();
        EXPECT_EQ(window.visible(), visible) << window.caption();
        EXPECT_EQ(window.windowState(), WindowState::Minimised);
        if (shell != Answers) continue;
        const auto* icon = platform.tray.icon(window.handle(), 1);
        EXPECT_EQ(icon ? std::string(icon->szTip) : "", window.caption()) << "the tick's tip";
    }
    EXPECT_EQ(std::ranges::count(platform.journal, "window: show"), shows) << "took the focus";
}

}  // namespace
}  // namespace taktomat::app
