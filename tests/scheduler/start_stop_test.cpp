#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using platform::WindowState;
using testing::Journal;

const char* const kFile = "c:\\tool.exe";

class StartStop : public ::testing::Test {
protected:
    StartStop() {
        platform.files.addFile(kFile);
        form.open();
        fill(kFile, "5", "0");
        platform.journal.clear();
    }

    void fill(const std::string& file, const std::string& seconds, const std::string& passes) {
        window.textBox("dateinametxt").setText(file);
        window.textBox("sekundentxt").setText(seconds);
        window.textBox("durchlauftxt").setText(passes);
    }

    bool press() { return window.button("Command1").userClick(); }

    void expectNothingChanged() {
        EXPECT_EQ(window.button("Command1").caption(), "Start");
        EXPECT_FALSE(window.timer().enabled());
        EXPECT_TRUE(window.visible());
        EXPECT_EQ(window.windowState(), WindowState::Normal);
        for (const char* name : {"dateinametxt", "sekundentxt", "durchlauftxt"}) {
            EXPECT_TRUE(window.textBox(name).enabled()) << name;
        }
        EXPECT_TRUE(window.comboBox("Combo1").enabled());
        EXPECT_TRUE(window.button("Command2").enabled());
        EXPECT_EQ(form.runState().maxsekunden, 0);
        EXPECT_EQ(form.runState().sekunde, 0);
    }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeMainWindow& window = platform.window();
};

struct RefusedStart {
    std::string file;
    std::string seconds;
    std::string passes;
    std::string prompt;
    std::string title;
};

TEST_F(StartStop, OnlyTheFirstFailingCheckIsReportedAndNothingChanges) {
    platform.files.addDirectory("c:\\windows");
    const std::string badFile = "Die angegebene Datei \"c:\\fehlt.exe\" exisitiert nicht!";
    const std::string badInterval = "Die angegebene Zeitspanne ist ungültig!";
    const std::string badPasses = "Die angegebene Anzahl an Durchläufen ist ungültig!";
    const RefusedStart cases[] = {
        {"c:\\fehlt.exe", "", "", badFile, "Datei nicht gefunden"},
        {"c:\\fehlt.exe", "5", "0", badFile, "Datei nicht gefunden"},
        {"c:\\windows", "5", "0", "Die angegebene Datei \"c:\\windows\" exisitiert nicht!",
         "Datei nicht gefunden"},
        {"", "5", "0", "Die angegebene Datei \"\" exisitiert nicht!", "Datei nicht gefunden"},
        {"\"\"", "5", "0", "Die angegebene Datei \"\" exisitiert nicht!", "Datei nicht gefunden"},
        {"\"", "5", "0", "Die angegebene Datei \"\"\" exisitiert nicht!", "Datei nicht gefunden"},
        {"\"c:\\tool.exe", "5", "0", "Die angegebene Datei \"\"c:\\tool.exe\" exisitiert nicht!",
         "Datei nicht gefunden"},
        {kFile, "", "", badInterval, "Ungültige Zeitspanne"},
        {kFile, "", "3", badInterval, "Ungültige Zeitspanne"},
        {kFile, "5", "", badPasses, "Ungültige Anzahl an Durchläufen"},
        {kFile, "0", "", badPasses, "Ungültige Anzahl an Durchläufen"},
        {kFile, "0", "0", badInterval, "Ungültige Zeitspanne"},
        {kFile, "-5", "1", badInterval, "Ungültige Zeitspanne"},
        {kFile, "-2147483648", "1", badInterval, "Ungültige Zeitspanne"},
    };
    for (const RefusedStart& c : cases) {
        SCOPED_TRACE(c.file + " / " + c.seconds + " / " + c.passes);
        fill(c.file, c.seconds, c.passes);
        platform.boxes.shown.clear();
        platform.journal.clear();

        press();

        ASSERT_EQ(platform.boxes.shown.size(), 1u);
        EXPECT_EQ(platform.boxes.shown[0].prompt, c.prompt);
        EXPECT_EQ(platform.boxes.shown[0].style, 16);
        EXPECT_EQ(platform.boxes.shown[0].title, c.title);
        EXPECT_EQ(platform.journal, (Journal{"box: " + c.title, "box closed: " + c.title}));
        expectNothingChanged();
    }
}

TEST_F(StartStop, StartLocksTheInputsInOrderHidesTheWindowAndArmsTheTimer) {
    fill(kFile, "30", "3");
    platform.journal.clear();

    press();

    EXPECT_TRUE(platform.boxes.shown.empty());
    EXPECT_EQ(platform.journal,
              (Journal{"disable dateinametxt", "disable sekundentxt", "disable durchlauftxt",
                       "disable Combo1", "disable Command2", "caption Command1: Stop",
                       // Minimising hides the window through its resize handling, then the
                       // start hides it once more.
                       "window: hide", "window: hide", "enable timer"}));
    EXPECT_EQ(window.button("Command1").caption(), "Stop");
    EXPECT_TRUE(window.button("Command1").enabled());
    EXPECT_TRUE(window.button("Command4").enabled());
    EXPECT_EQ(window.windowState(), WindowState::Minimised);
    EXPECT_FALSE(window.visible());
    EXPECT_TRUE(window.timer().enabled());
    EXPECT_EQ(form.runState().maxsekunden, 30);
    EXPECT_EQ(form.runState().maxdurchlaeufe, 3);
    EXPECT_EQ(form.runState().sekunde, 1);
    EXPECT_EQ(form.runState().durchlauf, 0);
    EXPECT_EQ(platform.tray.calls.size(), 1u)
        << "the tray keeps what it showed until the first tick";
}

TEST_F(StartStop, PassesOfZeroOrBelowAndWrittenFormsAreAccepted) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"0", 0}, {"-3", -3}, {" 007 ", 7}, {"2147483647", 2147483647}};
    for (const auto& [passes, value] : cases) {
        fill(kFile, " 05", passes);
        press();
        EXPECT_EQ(window.button("Command1").caption(), "Stop") << passes;
        EXPECT_EQ(form.runState().maxdurchlaeufe, value) << passes;
        EXPECT_EQ(form.runState().maxsekunden, 5) << passes;
        press();
    }
}

TEST_F(StartStop, StopRestoresCaptionTrayAndInputsInOrderAndKeepsVisibility) {
    press();
    platform.journal.clear();
    const std::size_t trayCalls = platform.tray.calls.size();

    press();

    EXPECT_EQ(
        platform.journal,
        (Journal{"disable timer", "window caption: Ravik Taktomate 1.2", "tray: modify Taktomat1.2",
                 "enable dateinametxt", "enable sekundentxt", "enable durchlauftxt",
                 "enable Combo1", "enable Command2", "caption Command1: Start"}));
    EXPECT_EQ(window.caption(), "Ravik Taktomate 1.2");
    EXPECT_EQ(window.button("Command1").caption(), "Start");
    EXPECT_FALSE(window.visible()) << "a window hidden in the tray stays there";
    ASSERT_EQ(platform.tray.calls.size(), trayCalls + 1);
    const testing::TrayCall& modify = platform.tray.calls.back();
    EXPECT_EQ(modify.message, platform::TrayMessage::Modify);
    EXPECT_EQ(std::string(modify.record.szTip, 64),
              std::string("Taktomat1.2") + '\0' + std::string(52, ' '));
    EXPECT_EQ(modify.record.hIcon, platform.icons().handle(platform::IconId::Main));
    EXPECT_EQ(modify.record.uID, 1u);
    EXPECT_EQ(modify.record.uFlags, 7u);
}

TEST_F(StartStop, StopOfAVisibleWindowLeavesItVisibleAndTheRunStateAsItWas) {
    fill(kFile, "9", "4");
    press();
    window.trayCallback(platform::tray_mouse::kLeftButtonDown);
    ASSERT_TRUE(window.visible());
    const scheduler::RunState before = form.runState();

    press();

    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.windowState(), WindowState::Normal);
    EXPECT_EQ(form.runState().maxsekunden, before.maxsekunden);
    EXPECT_EQ(form.runState().maxdurchlaeufe, before.maxdurchlaeufe);
    EXPECT_EQ(form.runState().sekunde, before.sekunde);
    EXPECT_EQ(form.runState().durchlauf, before.durchlauf);
}

TEST_F(StartStop, BringingTheWindowBackDuringARunLeavesTheRunAsItIs) {
    press();
    window.trayCallback(platform::tray_mouse::kLeftButtonDown);
    ASSERT_TRUE(window.visible());
    EXPECT_TRUE(window.timer().enabled());
    EXPECT_EQ(window.button("Command1").caption(), "Stop");
    EXPECT_FALSE(window.textBox("sekundentxt").enabled());
    EXPECT_FALSE(window.button("Command2").enabled());
}

TEST_F(StartStop, StopVersionComesFromTheVersionInformation) {
    platform.versionInfo = {3, 14, 0, 0};
    press();
    press();
    EXPECT_EQ(window.caption(), "Ravik Taktomate 3.14");
    EXPECT_EQ(platform.tray.calls.back().tipText(), "Taktomat3.14");
}

TEST_F(StartStop, AnyCaptionButStartMeansStop) {
    window.button("Command1").setCaption("start");
    press();
    EXPECT_EQ(window.button("Command1").caption(), "Start");
    EXPECT_FALSE(window.timer().enabled());
    EXPECT_TRUE(platform.boxes.shown.empty());
}

}  // namespace
}  // namespace taktomat::app
