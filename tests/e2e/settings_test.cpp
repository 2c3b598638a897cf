// The stored settings in the real registry: read into the fields at startup, written on every
// way the utility ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gui_driver.h"

namespace taktomat::e2e {
namespace {

constexpr int kFile = 0;
constexpr int kSeconds = 2;
constexpr int kMode = 7;
constexpr int kPasses = 9;

int selectedMode(const Product& product) {
    return static_cast<int>(SendMessageW(product.control(kMode), CB_GETCURSEL, 0, 0));
}

bool trayIsEmpty() {
    return waitUntil([] {
        const HWND tray = trayWindow();
        return tray == nullptr || !IsWindowVisible(tray);
    });
}

TEST(StoredSettings, AppearInTheFields) {
    clearStoredSettings();
    storeSetting(L"maxsekunden", L"17");
    storeSetting(L"maxdurchlaeufe", L"-3");
    storeSetting(L"dateiname", L"C:\\Mein Ordner\\Tool.EXE");
    storeSetting(L"ausfuehrenals", L"3");
    Product product(L"", StoredSettings::AsTheyAre);
    ASSERT_TRUE(product.ready()) << product.why();

    EXPECT_EQ(windowText(product.control(kSeconds)), L"17");
    EXPECT_EQ(windowText(product.control(kPasses)), L"-3");
    EXPECT_EQ(windowText(product.control(kFile)), L"C:\\Mein Ordner\\Tool.EXE");
    EXPECT_EQ(selectedMode(product), 3);
}

TEST(StoredSettings, OddValuesDoNotStopTheStartup) {
    clearStoredSettings();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 3;
    RegSetValueExW(key, L"ausfuehrenals", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);
    const std::wstring huge(100000, L'x');
    storeSetting(L"dateiname", huge);
    storeSetting(L"maxsekunden", L"99999999999");

    Product product(L"", StoredSettings::AsTheyAre);
    ASSERT_TRUE(product.ready()) << product.why();
    EXPECT_EQ(selectedMode(product), 6) << "a value of another type counts as missing";
    EXPECT_EQ(windowText(product.control(kSeconds)), L"") << "no number: the filter refuses it";
    EXPECT_EQ(SendMessageW(product.control(kFile), WM_GETTEXTLENGTH, 0, 0), 100000);
}

struct WayOut {
    const char* name;
    std::function<void(const Product&)> leave;
};

class WritesTheFieldsOnTheWayOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(WritesTheFieldsOnTheWayOut, AndEndsWithoutItsIcon) {
    // Blanks, upper case, umlauts and a character outside every ANSI code page.
    const std::wstring fileName = L"C:\\Mein Ordner\\Pr\u00fcfung \u6771\u4eac.EXE";
    Product product;
    ASSERT_TRUE(product.ready()) << product.why();
    // Out of the way of the notification area in the top left corner.
    SetWindowPos(product.window(), nullptr, 300, 300, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    setText(product.control(kFile), fileName);
    setText(product.control(kSeconds), L"42");
    setText(product.control(kPasses), L"-1");
    SendMessageW(product.control(kMode), CB_SETCURSEL, 1, 0);

    GetParam().leave(product);

    ASSERT_TRUE(product.waitForExit()) << "the utility did not end";
    EXPECT_EQ(storedSetting(L"dateiname"), fileName);
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"42");
    EXPECT_EQ(storedSetting(L"maxdurchlaeufe"), L"-1");
    EXPECT_EQ(storedSetting(L"ausfuehrenals"), L"1");
    EXPECT_TRUE(trayIsEmpty()) << "the tray icon is still there";
}

TEST(StoredSettings, FileNameSurvivesCloseAndRestartUnchanged) {
    const std::wstring fileName = L"C:\\Mein Ordner\\Pr\u00fcfung \u6771\u4eac.EXE";
    {
        Product product;
        ASSERT_TRUE(product.ready()) << product.why();
        setText(product.control(kFile), fileName);
        PostMessageW(product.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(product.waitForExit());
    }
    Product again(L"", StoredSettings::AsTheyAre);
    ASSERT_TRUE(again.ready()) << again.why();
    EXPECT_EQ(windowText(again.control(kFile)), fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WritesTheFieldsOnTheWayOut,
    ::testing::Values(
        WayOut{"TitleBarClose",
               [](const Product& product) {
                   PostMessageW(product.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
               }},
        WayOut{"QuitItem",
               [](const Product& product) {
                   ShowWindow(product.window(), SW_MINIMIZE);
                   ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(product.window()); }));
                   POINT icon{};
                   ASSERT_TRUE(trayIconPosition(icon)) << "no notification area";
                   ASSERT_TRUE(clickUntil(icon, 3, [] { return openPopupMenu() != nullptr; }));
                   pressKey(VK_UP);  // from no selection to the last item, the quit item
                   pressKey(VK_RETURN);
               }},
        WayOut{"SessionEnd",
               [](const Product& product) {
                   // What the system sends every top-level window at log-off: the question
                   // first, which must be answered yes, then the end itself.
                   DWORD_PTR answer = 0;
                   ASSERT_TRUE(SendMessageTimeoutW(product.window(), WM_QUERYENDSESSION, 0,
                                                   ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kPatienceMs,
                                                   &answer));
                   EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
                   SendMessageTimeoutW(product.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                       SMTO_ABORTIFHUNG, kPatienceMs, &answer);
               }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taktomat::e2e
