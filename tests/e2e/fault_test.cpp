// Faults from outside while the real executable runs: a new task bar, the program file turned
// into a folder or held open, the settings key deleted, the session's end, a second instance,
// and file names that are very long or outside the ANSI code page.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "gui_driver.h"
#include "icon_pixels.h"
#include "resource_ids.h"
#include "stamp_program.h"

namespace taktomat::e2e {
namespace {

// Takes the product's icon out of the tray, as a shell that restarts loses it.
bool loseTrayIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_DELETE, &data) && trayIsEmpty();
}

// What a new task bar sends every top-level window; it returns once the product has answered.
void announceNewTaskbar(HWND window) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored);
}

bool trayShows(int iconGroup) {
    const SmallIcon icon = readProductSmallIcon(iconGroup);
    RECT area{};
    return icon.problem.empty() && GetWindowRect(trayIconWindow(), &area) &&
           screenShowsIcon(area, icon);
}

// The frame shown with "<left>s bis Programmstart" in a pass of the given seconds.
int frameFor(int left, int seconds) {
    return IDI_FRAME1 + 12 * (seconds - left) / seconds;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"taktomat-faults-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        tool = folder + L"\\Tool.exe";
        ASSERT_TRUE(CopyFileW(kStampExe, tool.c_str(), FALSE));
    }

    void TearDown() override {
        product.reset();
        for (const std::wstring& file : {tool, tool + L".log"}) {
            // A program just started may hold its file for a moment.
            waitUntil([&] {
                return DeleteFileW(file.c_str()) || RemoveDirectoryW(file.c_str()) ||
                       GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
            });
        }
        RemoveDirectoryW(folder.c_str());
    }

    void open(StoredSettings settings = StoredSettings::Cleared) {
        product = std::make_unique<Product>(L"", settings);
        ASSERT_TRUE(product->ready()) << product->why();
        // Out of the way of the notification area in the top left corner.
        SetWindowPos(product->window(), nullptr, 300, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void start(const std::wstring& file, const wchar_t* seconds, const wchar_t* passes) {
        setText(product->control(kFile), file);
        setText(product->control(kSeconds), seconds);
        setText(product->control(kPasses), passes);
        SendMessageW(product->control(kStartStop), BM_CLICK, 0, 0);
    }

    bool stopped() const { return windowText(product->control(kStartStop)) == L"Start"; }

    // Waits for the one box of a failed launch, closes it and checks that the run stopped;
    // returns the box's text.
    std::string boxOfTheFailedLaunch(const wchar_t* title) {
        HWND box = nullptr;
        if (!waitUntil([&] { return (box = findProcessWindow(product->processId(), title)); })) {
            ADD_FAILURE() << "no box \"" << utf8(title) << "\"";
            return {};
        }
        const std::string text = utf8(messageBoxText(box));
        EXPECT_TRUE(closeMessageBox(box));
        EXPECT_TRUE(waitUntil([&] { return stopped(); })) << "the run was not stopped";
        EXPECT_EQ(findProcessWindow(product->processId(), title), nullptr) << "a second box";
        EXPECT_TRUE(product->running());
        return text;
    }

    std::wstring folder;
    std::wstring tool;
    std::unique_ptr<Product> product;
};

TEST_F(Faults, ANewTaskBarGetsTheIconBackWithTheTipAndFrameOfTheMoment) {
    open();
    start(tool, L"120", L"0");
    const std::wregex progress(L"(\\d+)s bis Programmstart");
    ASSERT_TRUE(waitUntil([&] { return std::regex_match(trayIconTip(), progress); }))
        << "no countdown in the tray";

    // The tip is read as soon as the product has answered, before a tick could mend it; a
    // tick in between shows as a changed caption, and the round is done again.
    std::wstring caption;
    std::wstring tip;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(loseTrayIcon(product->window())) << "the icon did not go";
        caption = windowText(product->window());
        announceNewTaskbar(product->window());
        tip = trayIconTip();
        if (windowText(product->window()) == caption) break;
    }
    EXPECT_EQ(utf8(tip), utf8(caption));
    EXPECT_TRUE(waitUntil([&] {
        std::wsmatch left;
        const std::wstring now = windowText(product->window());
        return std::regex_match(now, left, progress) &&
               trayShows(frameFor(std::stoi(left[1].str()), 120));
    })) << "the tray does not show the frame of the moment";

    // Stopped, no tick mends anything: what comes back is the record as the stop left it.
    SendMessageW(product->control(kStartStop), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([] { return trayIconTip() == L"Taktomat1.2"; }));
    ASSERT_TRUE(loseTrayIcon(product->window())) << "the icon did not go";
    announceNewTaskbar(product->window());
    EXPECT_EQ(utf8(trayIconTip()), "Taktomat1.2");
    EXPECT_TRUE(waitUntil([] { return trayShows(IDI_TAKTOMAT); }));
}

TEST_F(Faults, AFolderInThePlaceOfTheFileStopsTheRunAsAMissingFile) {
    open();
    start(tool, L"1", L"0");
    ASSERT_TRUE(waitUntil([&] { return !launchTimes(tool).empty(); })) << "no first launch";
    // The launched program may still hold its file for a moment.
    ASSERT_TRUE(waitUntil([&] { return DeleteFileW(tool.c_str()) != FALSE; }));
    ASSERT_TRUE(CreateDirectoryW(tool.c_str(), nullptr));
    EXPECT_EQ(boxOfTheFailedLaunch(L"Datei nicht gefunden"),
              "Die angegebene Datei \"" + utf8(tool) + "\" exisitiert nicht mehr!");
}

TEST_F(Faults, AFileThatCannotBeReadStopsTheRunWithTheSystemsReason) {
    open();
    start(tool, L"1", L"0");
    ASSERT_TRUE(waitUntil([&] { return !launchTimes(tool).empty(); })) << "no first launch";
    // Held open for nobody else, the file exists but cannot be read. Wine keeps the access
    // rules of files without enforcing them, so a denial for everyone could not stand in.
    HANDLE held = INVALID_HANDLE_VALUE;
    ASSERT_TRUE(waitUntil([&] {
        held = CreateFileW(tool.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return held != INVALID_HANDLE_VALUE;
    }));
    const std::string text = boxOfTheFailedLaunch(L"Programmstart fehlgeschlagen");
    CloseHandle(held);
    const std::string head =
        "Die angegebene Datei \"" + utf8(tool) + "\" konnte nicht gestartet werden!\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_GT(text.size(), head.size()) << "the system's reason is missing";
}

TEST_F(Faults, TheSettingsKeyDeletedDuringARunIsWrittenAgainAtTheEnd) {
    storeSetting(L"dateiname", L"C:\\vorher.exe");
    open(StoredSettings::AsTheyAre);
    SendMessageW(product->control(kMode), CB_SETCURSEL, 2, 0);
    start(tool, L"60", L"-1");
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(product->window()); }));
    clearStoredSettings();
    ASSERT_FALSE(storedSetting(L"dateiname").has_value());

    PostMessageW(product->window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(product->waitForExit());
    EXPECT_EQ(product->exitCode(), 0u);
    EXPECT_EQ(storedSetting(L"dateiname"), tool);
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"60");
    EXPECT_EQ(storedSetting(L"maxdurchlaeufe"), L"-1");
    EXPECT_EQ(storedSetting(L"ausfuehrenals"), L"2");
}

TEST_F(Faults, TheSessionsEndDuringARunWritesTheSettingsAndEndsInOrder) {
    open();
    start(tool, L"1", L"0");
    ASSERT_TRUE(waitUntil([&] { return !launchTimes(tool).empty(); })) << "no first launch";

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(product->window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, kPatienceMs, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    SendMessageTimeoutW(product->window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                        kPatienceMs, &answer);
    ASSERT_TRUE(product->waitForExit());
    EXPECT_EQ(product->exitCode(), 0u);
    EXPECT_EQ(storedSetting(L"dateiname"), tool);
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"1");
    EXPECT_EQ(storedSetting(L"maxdurchlaeufe"), L"0");
    EXPECT_EQ(storedSetting(L"ausfuehrenals"), L"6");
    EXPECT_TRUE(trayIsEmpty()) << "the tray icon is still there";
}

TEST_F(Faults, OfTwoInstancesTheOneThatEndsLastDecidesTheSettings) {
    open();
    setText(product->control(kFile), L"C:\\erste.exe");
    setText(product->control(kSeconds), L"11");
    Product second(L"", StoredSettings::AsTheyAre);
    ASSERT_TRUE(second.ready()) << second.why();
    setText(second.control(kFile), L"C:\\zweite.exe");
    setText(second.control(kSeconds), L"22");

    PostMessageW(second.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(storedSetting(L"dateiname"), L"C:\\zweite.exe");
    PostMessageW(product->window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(product->waitForExit());
    EXPECT_EQ(storedSetting(L"dateiname"), L"C:\\erste.exe");
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"11");
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(product->exitCode(), 0u);
}

struct FileName {
    const char* name;
    // The text in the file field, and the file it names, below the test's folder.
    std::wstring (*typed)(const std::wstring& folder);
    const wchar_t* file;
};

// 32 000 characters that name a file of the folder: a name as long as the system allows that
// a file system under Wine can hold.
std::wstring veryLongName(const std::wstring& folder) {
    const std::wstring end = L"\\Tool.exe";
    std::wstring name = folder;
    while ((32000 - name.size() - end.size()) % 5 != 0) name += L"\\.";
    while (name.size() + end.size() < 32000) name += L"\\x\\..";
    return name + end;
}

std::wstring unicodeName(const std::wstring& folder) {
    return folder + L"\\Pr\u00fcfung \u6771\u4eac\\\u0422\u0435\u0441\u0442.exe";
}

class FileNames : public Faults, public ::testing::WithParamInterface<FileName> {};

TEST_P(FileNames, PassTheStartAndTheLaunchAndAreStored) {
    const std::wstring typed = GetParam().typed(folder);
    const std::wstring file = folder + GetParam().file;
    CreateDirectoryW(file.substr(0, file.rfind(L'\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(kStampExe, file.c_str(), FALSE));
    open();
    start(typed, L"1", L"1");

    ASSERT_TRUE(product->waitForExit()) << "the one pass did not end the utility";
    EXPECT_EQ(product->exitCode(), 0u);
    EXPECT_TRUE(waitUntil([&] { return launchTimes(file).size() == 1; })) << "no launch";
    EXPECT_EQ(storedSetting(L"dateiname"), typed);
    if (file != tool) {
        DeleteFileW(file.c_str());
        DeleteFileW((file + L".log").c_str());
        RemoveDirectoryW(file.substr(0, file.rfind(L'\\')).c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNames,
    ::testing::Values(FileName{"Of32000Characters", veryLongName, L"\\Tool.exe"},
                      FileName{"OutsideTheAnsiCodePage", unicodeName,
                               L"\\Pr\u00fcfung \u6771\u4eac\\\u0422\u0435\u0441\u0442.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taktomat::e2e
