// The countdown and the launches of the real executable: a small program that notes the time
// of each of its starts stands in for the user's.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "stamp_program.h"

namespace taktomat::e2e {
namespace {

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool waitForTick(ULONGLONG tick) {
    return waitUntil([&] { return GetTickCount64() >= tick; }, 60000);
}

using ThreadHandle = std::unique_ptr<void, decltype(&CloseHandle)>;

class Countdown : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"taktomat-launch-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((folder + L"\\Mein Ordner").c_str(), nullptr);
        tool = folder + L"\\Mein Ordner\\Tool.exe";
        // Where an unquoted path with blanks would lead a careless start.
        decoy = folder + L"\\Mein.exe";
        ASSERT_TRUE(CopyFileW(kStampExe, tool.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(kStampExe, decoy.c_str(), FALSE));
        ASSERT_TRUE(product.ready()) << product.why();
        SetWindowPos(product.window(), nullptr, 300, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void TearDown() override {
        ASSERT_FALSE(exists(decoy + L".log")) << "the decoy was started";
        for (const wchar_t* name : {L"\\Mein Ordner\\Tool.exe", L"\\Mein Ordner\\Tool.exe.log",
                                    L"\\Mein.exe", L"\\run me.bat", L"\\bat.log"}) {
            DeleteFileW((folder + name).c_str());
        }
        RemoveDirectoryW((folder + L"\\Mein Ordner").c_str());
        RemoveDirectoryW(folder.c_str());
    }

    // Fills the fields and presses Start; returns the tick count just before the press.
    ULONGLONG start(const std::wstring& file, const wchar_t* seconds, const wchar_t* passes) {
        setText(product.control(kFile), file);
        setText(product.control(kSeconds), seconds);
        setText(product.control(kPasses), passes);
        const ULONGLONG pressed = GetTickCount64();
        SendMessageW(product.control(kStartStop), BM_CLICK, 0, 0);
        return pressed;
    }

    std::wstring folder;
    std::wstring tool;
    std::wstring decoy;
    Product product;
};

TEST_F(Countdown, ThreePassesOfTwoSecondsLaunchOnTimeThenTheUtilityEnds) {
    const ULONGLONG pressed = start(tool, L"2", L"3");

    ASSERT_TRUE(product.waitForExit()) << "the utility did not end after its last pass";
    // The last one started just before the utility ended and may still be writing.
    std::vector<ULONGLONG> times;
    waitUntil([&] { return (times = launchTimes(tool)).size() >= 3; });
    ASSERT_EQ(times.size(), 3u) << "exactly one launch per pass";
    for (size_t n = 0; n < times.size(); ++n) {
        const auto late =
            static_cast<long long>(times[n] - pressed) - static_cast<long long>(2000 * (n + 1));
        // The tick count reads in steps of up to 16 ms; the start of a program under Wine
        // takes a moment of its own.
        EXPECT_GE(late, -50) << "launch " << n + 1 << " came early";
        EXPECT_LT(late, 1500) << "launch " << n + 1 << " came late";
    }
    EXPECT_EQ(storedSetting(L"maxdurchlaeufe"), L"3");
    EXPECT_EQ(storedSetting(L"dateiname"), tool);
    EXPECT_TRUE(trayIsEmpty()) << "the tray icon is still there";
}

TEST_F(Countdown, AThreadHeldEverySoOftenNeverLaunchesInABurstAndKeepsToTheGrid) {
    const ULONGLONG pressed = start(tool, L"1", L"0");
    const ThreadHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, product.threadId()),
                              &CloseHandle);
    ASSERT_TRUE(thread);
    // Held from 0.2 s after a pass end for 1.5 s: the next pass end is made up late, and the
    // one 0.3 s after that is folded into it.
    constexpr int kHolds = 4;
    for (int hold = 0; hold < kHolds; ++hold) {
        ASSERT_TRUE(waitForTick(pressed + 5000 * hold + 3200));
        // Not while the last pass end's program is still being started: on a busy machine its
        // creation would wait for the hold and seem to come just before the next launch.
        waitUntil([&] { return launchTimes(tool).size() >= 4u * hold + 3; });
        SuspendThread(thread.get());
        waitForTick(pressed + 5000 * hold + 4700);
        ResumeThread(thread.get());
    }
    ASSERT_TRUE(waitForTick(pressed + 5000 * kHolds + 1500));
    SendMessageW(product.control(kStartStop), BM_CLICK, 0, 0);
    std::vector<ULONGLONG> times;
    waitUntil([&] { return (times = launchTimes(tool)).size() >= 5 * kHolds - kHolds + 1; });

    constexpr size_t kSlots = 5 * kHolds + 1;
    EXPECT_GE(times.size(), kSlots - kHolds) << "lost more than the folded pass ends";
    EXPECT_LE(times.size(), kSlots);
    for (size_t n = 0; n < times.size(); ++n) {
        // Wine takes some tens of ms to start each program, not always the same.
        if (n > 0) {
            EXPECT_GE(times[n] - times[n - 1], 450u) << "launches " << n << " and " << n + 1;
        }
        const ULONGLONG sinceGridPoint = (times[n] - pressed) % 1000;
        const ULONGLONG sinceHoldEnd = (times[n] - pressed + 300) % 5000;
        EXPECT_TRUE(sinceGridPoint < 300 || sinceHoldEnd < 300)
            << "launch " << n + 1 << " at " << times[n] - pressed << " ms is off the grid";
    }
}

TEST_F(Countdown, AThreadHeldAcrossAPassEndMakesItUpOnceAndKeepsTheGridOfTheFirstLaunch) {
    start(tool, L"6", L"5");
    const ThreadHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, product.threadId()),
                              &CloseHandle);
    std::vector<ULONGLONG> times;
    ASSERT_TRUE(thread && waitUntil([&] { return !(times = launchTimes(tool)).empty(); }, 60000));
    const ULONGLONG first = times[0];
    ASSERT_TRUE(waitForTick(first + 5000));
    SuspendThread(thread.get());
    waitForTick(first + 8500);
    ResumeThread(thread.get());
    const ULONGLONG resumed = GetTickCount64() - first;
    ASSERT_TRUE(product.waitForExit(60000));
    waitUntil([&] { return (times = launchTimes(tool)).size() >= 5; });
    ASSERT_EQ(times.size(), 5u);
    const ULONGLONG due[] = {0, resumed, 12000, 18000, 24000};
    // Wine's program starts scatter by some 100 ms on a busy machine; a moved grid is 1 s off.
    for (size_t n = 1; n < times.size(); ++n) {
        EXPECT_NEAR(static_cast<double>(times[n] - first), due[n], 500) << "launch " << n + 1;
    }
}

TEST_F(Countdown, CaptionCountsDownInTheWindowShownFromTheTray) {
    start(tool, L"60", L"0");
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(product.window()); }));
    POINT icon{};
    ASSERT_TRUE(trayIconPosition(icon)) << "no notification area";
    ASSERT_TRUE(clickUntil(icon, 1, [&] { return IsWindowVisible(product.window()) != FALSE; }));

    const std::wregex progress(L"(\\d+)s bis Programmstart");
    std::wsmatch first;
    std::wstring caption;
    ASSERT_TRUE(waitUntil([&] {
        caption = windowText(product.window());
        return std::regex_match(caption, first, progress);
    })) << utf8(caption);
    const int firstLeft = std::stoi(first[1].str());
    EXPECT_TRUE(waitUntil([&] {
        std::wsmatch now;
        const std::wstring shown = windowText(product.window());
        return std::regex_match(shown, now, progress) && std::stoi(now[1].str()) < firstLeft;
    })) << "the caption did not count down from "
        << firstLeft;
}

TEST_F(Countdown, AFileDeletedDuringAnEndlessRunStopsItWithOneBox) {
    start(tool, L"1", L"0");
    ASSERT_TRUE(waitUntil([&] { return !launchTimes(tool).empty(); })) << "no first launch";
    // The launched program may still hold its file for a moment.
    ASSERT_TRUE(waitUntil([&] { return DeleteFileW(tool.c_str()) != FALSE; }));

    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (box = findProcessWindow(product.processId(), L"Datei nicht gefunden")) != nullptr;
    })) << "no box for the missing file";
    EXPECT_EQ(utf8(messageBoxText(box)),
              "Die angegebene Datei \"" + utf8(tool) + "\" exisitiert nicht mehr!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(waitUntil([&] { return windowText(product.control(kStartStop)) == L"Start"; }))
        << "the run was not stopped";
    EXPECT_EQ(findProcessWindow(product.processId(), L"Datei nicht gefunden"), nullptr)
        << "a second box";
    EXPECT_TRUE(product.running());
}

TEST_F(Countdown, ABatchFileIsStarted) {
    const std::wstring batch = folder + L"\\run me.bat";
    {
        std::ofstream script{std::filesystem::path(batch)};
        script << "@echo off\r\necho started>>\"%~dp0bat.log\"\r\n";
    }
    start(batch, L"1", L"1");
    ASSERT_TRUE(product.waitForExit());
    EXPECT_TRUE(waitUntil([&] { return exists(folder + L"\\bat.log"); }))
        << "the batch file did not run";
}

}  // namespace
}  // namespace taktomat::e2e
