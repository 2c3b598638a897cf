#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "cmdline/help.h"
#include "support/fake_platform.h"

namespace taktomat::cmdline {
namespace {

constexpr const char* kHelp = "Kommandozeilenhilfe";
constexpr const char* kMissingFile = "Datei nicht gefunden";

class CommandLine : public ::testing::Test {
protected:
    // Starts the utility with the command line, over stored settings whose file exists.
    void startWith(const std::string& commandLine) {
        for (const auto& [key, value] : {std::pair{"maxsekunden", "45"},
                                         {"maxdurchlaeufe", "2"},
                                         {"dateiname", "C:\\Stored.exe"},
                                         {"ausfuehrenals", "3"}}) {
            platform.store.put("Raviktaktomate", "Startup", key, value);
        }
        for (const char* file :
             {"C:\\Stored.exe", "c:\\windows\\notepad.exe", "c:\\mein ordner\\tool.exe",
              "c:\\a.exe", "c:\\prüfung\\äöü é.exe"}) {
            platform.files.addFile(file);
        }
        platform.commandLineText = commandLine;
        form.open();
    }
    testing::FakeMainWindow& window() { return platform.window(); }
    bool started() { return window().button("Command1").caption() == "Stop"; }

    testing::FakePlatform platform;
    app::Form1 form{platform};
};

struct Case {
    const char* commandLine;
    // The fields afterwards: seconds, passes, mode, file.
    const char* seconds;
    const char* passes;
    int mode;
    const char* file;
    bool starts;
    // The title of the one box that appears, if any.
    std::string_view box = {};
};

class CommandLineCase : public CommandLine, public ::testing::WithParamInterface<Case> {};

TEST_P(CommandLineCase, FillsTheFieldsThenStartsOrShowsItsOneBox) {
    const Case& c = GetParam();
    startWith(c.commandLine);

    EXPECT_EQ(window().textBox("sekundentxt").text(), c.seconds);
    EXPECT_EQ(window().textBox("durchlauftxt").text(), c.passes);
    EXPECT_EQ(window().comboBox("Combo1").selectedIndex(), c.mode);
    EXPECT_EQ(window().textBox("dateinametxt").text(), c.file);
    EXPECT_EQ(started(), c.starts);
    ASSERT_EQ(platform.boxes.shown.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
        EXPECT_EQ(platform.boxes.shown[0].title, c.box);
        if (c.box == kHelp) {  // the same box as the help button's
            EXPECT_EQ(platform.boxes.shown[0].prompt, commandLineHelpText());
            EXPECT_EQ(platform.boxes.shown[0].style, 64);
        }
    }
    // A run keeps the window out of sight; else it shows once, with the values, after any box.
    const testing::Journal& journal = platform.journal;
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "window: show"), c.starts ? 0 : 1);
    EXPECT_EQ(window().visible(), !c.starts);
    EXPECT_TRUE(c.starts || journal.back() == "window: show");
}

// What startup puts into the fields from the stored settings.
constexpr const char* kS = "45";
constexpr const char* kP = "2";
constexpr int kM = 3;
constexpr const char* kF = "C:\\Stored.exe";

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandLineCase,
    ::testing::Values(
        Case{"start", kS, kP, kM, kF, true}, Case{"  START ", kS, kP, kM, kF, true},
        Case{"StArT", kS, kP, kM, kF, true}, Case{"\tstart\t", kS, kP, kM, kF, false, kHelp},
        Case{"start now", kS, kP, kM, kF, false, kHelp},
        Case{"30 6 0 c:\\windows\\notepad.exe", "30", "0", 6, "c:\\windows\\notepad.exe", true},
        Case{"10 1 3 C:\\Mein Ordner\\Tool.EXE", "10", "3", 1, "c:\\mein ordner\\tool.exe", true},
        Case{"030 2 -1 c:\\a.exe", "30", "-1", 2, "c:\\a.exe", true},
        Case{"5 0 007 C:\\PRÜFUNG\\ÄÖÜ É.EXE", "5", "7", 0, "c:\\prüfung\\äöü é.exe", true},
        Case{"30 7 0 c:\\a.exe", kS, kP, kM, kF, false, kHelp},
        Case{"30 -1 0 c:\\a.exe", kS, kP, kM, kF, false, kHelp},
        Case{"30 6 0", kS, kP, kM, kF, false, kHelp},
        Case{"30 6 x c:\\a.exe", kS, kP, kM, kF, false, kHelp},
        Case{"30  6 0 c:\\a.exe", kS, kP, kM, kF, false, kHelp},
        Case{"99999999999 6 0 c:\\a.exe", kS, kP, kM, kF, false, kHelp},
        Case{"0 6 0 c:\\windows\\notepad.exe", "0", "0", 6, "c:\\windows\\notepad.exe", false,
             "Ungültige Zeitspanne"},
        Case{"30 6 0 c:\\fehlt.exe", "30", "0", 6, "c:\\fehlt.exe", false, kMissingFile},
        Case{"10 1 3 \"C:\\Mein Ordner\\Tool.EXE\"", "10", "3", 1, "c:\\mein ordner\\tool.exe",
             true},
        Case{"30 6 0 c:\\a.exe\"", "30", "0", 6, "c:\\a.exe\"", false, kMissingFile},
        Case{"   ", kS, kP, kM, kF, false, kHelp}, Case{"/?", kS, kP, kM, kF, false, kHelp},
        Case{"Hilfe", kS, kP, kM, kF, false, kHelp}));

TEST_F(CommandLine, HelpButtonShowsTheSameBoxDuringARun) {
    startWith("start");
    ASSERT_TRUE(window().button("Command4").userClick());
    ASSERT_EQ(platform.boxes.shown.size(), 1u);
    EXPECT_EQ(platform.boxes.shown[0].title, kHelp);
    EXPECT_EQ(platform.boxes.shown[0].style, 64);
    EXPECT_EQ(platform.boxes.shown[0].prompt, commandLineHelpText());
}

TEST_F(CommandLine, ErrorInsideTheStartEndsInTheHelpOnce) {
    platform.boxes.whileOpen = [](const testing::ShownBox& box) -> int {
        if (box.title == kMissingFile) throw std::runtime_error("failed inside the box");
        return 1;
    };
    startWith("30 6 0 c:\\fehlt.exe");
    ASSERT_EQ(platform.boxes.shown.size(), 2u);
    EXPECT_EQ(platform.boxes.shown[1].title, kHelp);
}

TEST_F(CommandLine, ProcessEndDuringTheStartPassesThroughWithoutHelp) {
    // The user closes the window while the refusal of the Start is open.
    platform.boxes.whileOpen = [&](const testing::ShownBox&) {
        window().requestClose();
        return 1;
    };
    EXPECT_TRUE(platform.endsProcess([&] { startWith("30 6 0 c:\\fehlt.exe"); }));
    EXPECT_EQ(platform.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace taktomat::cmdline
