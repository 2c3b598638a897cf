#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using testing::FakePlatform;
using testing::Journal;

// The journal from the first line that starts with `from` on.
Journal journalFrom(const Journal& journal, const std::string& from) {
    const auto first = std::find_if(journal.begin(), journal.end(), [&](const std::string& line) {
        return line.rfind(from, 0) == 0;
    });
    return Journal(first, journal.end());
}

TEST(Startup, FillsTheWindowThenAddsTheIconThenShowsTheWindow) {
    FakePlatform platform;
    Form1 form(platform);
    form.open();

    const auto& window = platform.window();
    EXPECT_EQ(window.caption(), "Ravik Taktomate 1.2");
    const std::string info = window.label("infolabel").text();
    const auto lineBreak = info.find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_NE(info.substr(0, lineBreak).find("Taktomat"), std::string::npos) << info;
    EXPECT_EQ(info.substr(lineBreak + 2).rfind("Neue Versionen auf ", 0), 0u) << info;
    EXPECT_EQ(window.comboBox("Combo1").itemCount(), 7);

    EXPECT_EQ(
        journalFrom(platform.journal, "store: get nurwennbeendet"),
        (Journal{"store: get nurwennbeendet", "tray: add Ravik Taktomate 1.2", "window: show"}));
    EXPECT_EQ(platform.journal.front(), "window caption: Ravik Taktomate 1.2");

    ASSERT_EQ(platform.tray.calls.size(), 1u);
    const auto& record = platform.tray.calls[0].record;
    char tip[platform::kTipLength];
    std::memset(tip, ' ', sizeof tip);
    std::memcpy(tip, "Ravik Taktomate 1.2", 20);  // with its NUL
    EXPECT_EQ(std::memcmp(record.szTip, tip, sizeof tip), 0) << "text, one NUL, blanks";
    EXPECT_EQ(record.hIcon, platform.icons().handle(platform::IconId::Main));
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, window.trayCallbackMessage());
    EXPECT_EQ(record.hWnd, window.handle());
}

struct ShutdownPath {
    const char* name;
    std::function<void(FakePlatform&, Form1&)> act;
    bool saysAFailedWrite = true;
};

class Shutdown : public ::testing::TestWithParam<ShutdownPath> {};

// Every way out removes the icon before anything is written, writes all four fields as
// they stand (typed values that never ran included), and ends the process.
TEST_P(Shutdown, RemovesTheIconThenWritesAllFourThenEnds) {
    FakePlatform platform;
    platform.store.put("Raviktaktomate", "Startup", "dateiname", "C:\\alt.exe");
    Form1 form(platform);
    form.open();
    auto& window = platform.window();
    window.textBox("sekundentxt").userType("0");  // in front: the caret is at 0
    window.comboBox("Combo1").userChoose(2);

    EXPECT_TRUE(platform.endsProcess([&] { GetParam().act(platform, form); }));

    EXPECT_EQ(
        journalFrom(platform.journal, "tray: delete"),
        (Journal{"tray: delete Ravik Taktomate 1.2", "store: save dateiname=C:\\alt.exe",
                 "store: save maxsekunden=05", "store: save maxdurchlaeufe=0",
                 "store: save ausfuehrenals=2", "store: save nurwennbeendet=0", "process: end"}));
    EXPECT_EQ(platform.tray.icon(window.handle(), 1), nullptr) << "the icon is gone";
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Shutdown,
    ::testing::Values(
        ShutdownPath{"CloseRequest",
                     [](FakePlatform& platform, Form1&) { platform.window().requestClose(); }},
        ShutdownPath{"QuitItem",
                     [](FakePlatform& platform, Form1&) {
                         platform.window().whileMenuOpen = [](const auto&) {
                             return std::optional<std::string>("quitmnu");
                         };
                         platform.window().trayCallback(platform::tray_mouse::kRightButtonDown);
                     }},
        ShutdownPath{"SessionEnd",
                     [](FakePlatform& platform, Form1&) {
                         platform.window().queryEndSession();
                         platform.window().endSession(true);
                     },
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

// A write the store refused is said in one box before the end, but not at a session's end,
// where nobody could answer it.
TEST_P(Shutdown, AFailedWriteIsSaidInOneBoxThenTheProcessEnds) {
    FakePlatform platform;
    platform.store.refusal = "Zugriff verweigert";
    Form1 form(platform);
    form.open();
    auto& window = platform.window();
    platform.boxes.whileOpen = [&](const testing::ShownBox&) {  // what the box's loop delivers
        window.taskbarCreated();
        window.changeDpi(144);
        window.userMinimise();
        window.trayCallback(platform::tray_mouse::kLeftButtonDown);
        return 1;
    };

    EXPECT_TRUE(platform.endsProcess([&] { GetParam().act(platform, form); }));

    EXPECT_EQ(platform.tray.calls.back().message, platform::TrayMessage::Delete);
    ASSERT_EQ(platform.boxes.shown.size(), GetParam().saysAFailedWrite ? 1u : 0u);
    if (platform.boxes.shown.empty()) return;
    EXPECT_EQ(window.windowState(), platform::WindowState::Minimised) << "not brought back";
    EXPECT_EQ(platform.boxes.shown[0].title, "Einstellungen nicht gespeichert");
    EXPECT_EQ(platform.boxes.shown[0].style, 16);
    EXPECT_EQ(
        platform.boxes.shown[0].prompt,
        "Die Einstellungen konnten nicht unter \"HKEY_CURRENT_USER\\Software\\VB and VBA "
        "Program Settings\\Raviktaktomate\\Startup\" gespeichert werden!\r\nZugriff verweigert");
}

TEST(Shutdown, DuringARunWritesTheValuesTheRunStartedWith) {
    FakePlatform platform;
    platform.files.addFile("C:\\tool.exe");
    Form1 form(platform);
    form.open();
    auto& window = platform.window();
    window.textBox("dateinametxt").userPaste("C:\\tool.exe");
    window.button("Command1").userClick();
    ASSERT_EQ(window.button("Command1").caption(), "Stop");

    EXPECT_TRUE(platform.endsProcess([&] { form.quitmnu_Click(); }));

    EXPECT_EQ(platform.store.stored("Raviktaktomate", "Startup", "dateiname"), "C:\\tool.exe");
    EXPECT_EQ(platform.store.stored("Raviktaktomate", "Startup", "maxsekunden"), "5");
}

TEST(Startup, DpiChangeShowsTheSameTrayPictureAtTheNewSize) {
    FakePlatform platform;
    Form1 form(platform);
    form.open();
    auto& window = platform.window();

    window.changeDpi(144);

    const auto* shown = platform.tray.icon(window.handle(), 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->hIcon, testing::FakeIcons::handleAt(platform::IconId::Main, 144));
    EXPECT_EQ(platform.tray.calls.back().message, platform::TrayMessage::Modify);
}

}  // namespace
}  // namespace taktomat::app
