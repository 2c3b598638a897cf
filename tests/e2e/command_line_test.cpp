// The real executable started with a command line: the help box, a start with the stored
// settings, and a start with four values, neither of which ever shows the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "cmdline/help.h"
#include "gui_driver.h"
#include "stamp_program.h"
#include "taktomat_product.h"

namespace taktomat::e2e {
namespace {

bool running(const Product& product) {
    return windowText(product.control(kStartStop)) == L"Stop";
}

// Waits for the run, and tells whether the window stayed out of sight all the while. Never seen
// is not enough: a hidden window gets minimised only by being shown, which flashes it on the
// screen and the task bar.
bool startsWithoutTheWindow(const Product& product) {
    bool seen = false;
    const bool started = waitUntil([&] {
        seen = seen || IsWindowVisible(product.window());
        return running(product);
    });
    return started && !seen && !IsWindowVisible(product.window()) && !IsIconic(product.window());
}

// Waits for the help box, which must come before the window, in front, and closes it.
void expectHelpBoxBeforeTheWindow(const Product& product) {
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (box = findProcessWindow(product.processId(), L"Kommandozeilenhilfe")) != nullptr;
    }));
    EXPECT_FALSE(IsWindowVisible(product.window()));
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == box; })) << "not in front";
    EXPECT_EQ(utf8(messageBoxText(box)), cmdline::commandLineHelpText());
    ASSERT_TRUE(closeMessageBox(box));
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(product.window()) != FALSE; }));
}

TEST(CommandLine, QuestionMarkShowsTheHelpBoxThenTheWindow) {
    Product product(L"/?", StoredSettings::Cleared, MainWindowWait::Created);
    ASSERT_TRUE(product.ready()) << product.why();
    expectHelpBoxBeforeTheWindow(product);
}

TEST(CommandLine, ModeOutOfRangeShowsTheHelpThenTheWindowWithTheStoredValues) {
    clearStoredSettings();
    storeSetting(L"maxsekunden", L"17");
    storeSetting(L"dateiname", L"C:\\Mein Ordner\\Tool.EXE");
    Product product(L"30 7 0 c:\\a.exe", StoredSettings::AsTheyAre, MainWindowWait::Created);
    ASSERT_TRUE(product.ready()) << product.why();
    expectHelpBoxBeforeTheWindow(product);
    EXPECT_EQ(windowText(product.control(kSeconds)), L"17");
    EXPECT_EQ(windowText(product.control(kFile)), L"C:\\Mein Ordner\\Tool.EXE");
}

TEST(CommandLine, StartRunsWithTheStoredSettingsAndTheTrayStillBringsTheWindow) {
    clearStoredSettings();
    storeSetting(L"maxsekunden", L"60");
    storeSetting(L"dateiname", kTaktomatExe);
    Product product(L"start", StoredSettings::AsTheyAre, MainWindowWait::Created);
    ASSERT_TRUE(product.ready()) << product.why();
    EXPECT_TRUE(startsWithoutTheWindow(product));
    EXPECT_EQ(windowText(product.control(kSeconds)), L"60");

    POINT icon{};
    ASSERT_TRUE(trayIconPosition(icon)) << "no notification area";
    ASSERT_TRUE(clickUntil(icon, 1, [&] { return IsWindowVisible(product.window()) != FALSE; }));
    EXPECT_FALSE(IsIconic(product.window())) << "back in its normal size";
}

// Starts the utility with the four values, the program (in the folder) written as `name` on
// the line, and expects one launch, then the end without the window, storing `stored`, and
// the program (a console one, started hidden) to run without a console window in that folder.
void expectOneLaunchThenTheEndStoring(const std::wstring& folder, const std::wstring& program,
                                      const std::wstring& name, const std::wstring& stored) {
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CopyFileW(kConsoleStampExe, program.c_str(), FALSE));
    DeleteFileW((program + L".log").c_str());

    Product product(L"1 0 1 " + name, StoredSettings::Cleared, MainWindowWait::Created);
    ASSERT_TRUE(product.ready()) << product.why();
    EXPECT_TRUE(startsWithoutTheWindow(product));
    bool seen = false;
    EXPECT_TRUE(waitUntil([&] {
        seen = seen || IsWindowVisible(product.window());
        return !product.running();
    })) << "the utility did not end after its pass";
    EXPECT_FALSE(seen) << "the window showed during the run";

    size_t launches = 0;
    std::string noted;
    waitUntil([&] {
        std::ifstream log(std::filesystem::path(program + L".log"));
        launches = 0;
        for (std::string line; std::getline(log, line); noted = line) ++launches;
        return launches >= 1;
    });
    EXPECT_EQ(launches, 1u);
    EXPECT_EQ(noted.substr(noted.find(' ') + 1),
              "none " + utf8(stored.substr(0, stored.rfind(L'\\'))));
    EXPECT_EQ(storedSetting(L"dateiname"), stored);
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"1");
    EXPECT_EQ(storedSetting(L"maxdurchlaeufe"), L"1");
    EXPECT_EQ(storedSetting(L"ausfuehrenals"), L"0");
    DeleteFileW(program.c_str());
    DeleteFileW((program + L".log").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(CommandLine, FourValuesLaunchOnTheirOwnWithoutTheWindowThenEndStoringThem) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring lower = temp;
    CharLowerW(lower.data());
    // İ lowered would be the i of I, and the Deseret capital another letter: other folders.
    const std::wstring folder =
        L"\u0130lker \U00010400lf " + std::to_wstring(GetCurrentProcessId());
    const std::wstring program = temp + folder + L"\\Taktomat Stamp.EXE";
    lower += folder + L"\\taktomat stamp.exe";
    expectOneLaunchThenTheEndStoring(temp + folder, program, program, lower);
}

TEST(CommandLine, NameInQuotationMarksIsTheFileBetweenThem) {
    // A batch file there runs the program, which inherits its folder and console.
    CreateDirectoryW(L"C:\\Mein Ordner", nullptr);
    std::ofstream(std::filesystem::path(L"C:\\Mein Ordner\\run & go.bat")) << "@\"%~dp0Tool.exe\"";
    expectOneLaunchThenTheEndStoring(L"C:\\Mein Ordner", L"C:\\Mein Ordner\\Tool.exe",
                                     L"\"C:\\Mein Ordner\\run & go.bat\"",
                                     L"c:\\mein ordner\\run & go.bat");
    DeleteFileW(L"C:\\Mein Ordner\\run & go.bat");
    // As a shortcut or Explorer's "Copy as path" writes a name with blanks.
    expectOneLaunchThenTheEndStoring(L"C:\\Mein Ordner", L"C:\\Mein Ordner\\Tool.exe",
                                     L"\"C:\\Mein Ordner\\Tool.exe\"",
                                     L"c:\\mein ordner\\tool.exe");
}

// Four passes of a second, the program runs 2.5 s: with the choice stored as on, the pass ends
// while it runs start nothing; off, each starts it. The utility ends after its fourth either way.
TEST(CommandLine, AStoredChoiceOfOnLeavesOutThePassEndsWhileTheProgramRuns) {
    for (const auto& [choice, launches] : {std::pair{L"1", 2u}, std::pair{L"0", 4u}}) {
        const std::wstring program =
            L"C:\\taktomat-" + std::to_wstring(GetCurrentProcessId()) + choice + L" 2500.exe";
        ASSERT_TRUE(CopyFileW(kStampExe, program.c_str(), FALSE));
        clearStoredSettings();
        storeSetting(L"nurwennbeendet", choice);
        Product product(L"1 0 4 " + program, StoredSettings::AsTheyAre, MainWindowWait::Created);
        ASSERT_TRUE(product.waitForExit()) << "the utility did not end after its fourth pass";
        std::vector<ULONGLONG> times;
        waitUntil([&] { return (times = launchTimes(program)).size() >= launches; });
        ASSERT_EQ(times.size(), launches) << "stored as " << choice;
        EXPECT_GT(times.back() - times.front(), 2500u) << "the last was not the fourth pass's";
        waitUntil([&] { return DeleteFileW(program.c_str()) != FALSE; });
        DeleteFileW((program + L".log").c_str());
    }
}

}  // namespace
}  // namespace taktomat::e2e
