// The browse button of the real executable and the system's open-file dialog.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_driver.h"

namespace taktomat::e2e {
namespace {

constexpr int kFileTypes = 0x470;  // cmb1 of the explorer-style dialog
constexpr int kFileName = 0x47C;   // cmb13, a combo box with the edit of the name

// A temporary folder with blanks and umlauts in its name; goes with its files at the end.
struct Folder {
    Folder() { CreateDirectoryW(path.c_str(), nullptr); }
    ~Folder() {
        for (const std::wstring& file : files) DeleteFileW(file.c_str());
        RemoveDirectoryW(path.c_str());
    }
    std::wstring create(const std::wstring& name) {
        files.push_back(path + L"\\" + name);
        CloseHandle(CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr));
        return files.back();
    }
    std::wstring path = [] {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        return std::wstring(temp) + L"Taktomat Wahl \u00e4\u00f6\u00fc \u00df";
    }();
    std::vector<std::wstring> files;
};

class FileChooser : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(product.ready()) << product.why();
        // Out of the way of the notification area in the top left corner.
        SetWindowPos(product.window(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(product.activate());
        SendMessageW(product.control(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"c:\\vorher"));
    }
    std::wstring field() const { return windowText(product.control(0)); }

    // A real click on the browse button; the dialog once it is set up and shown.
    HWND open() {
        HWND dialog = nullptr;
        RECT button{};
        GetWindowRect(product.control(1), &button);
        EXPECT_TRUE(clickUntil(
            {(button.left + button.right) / 2, (button.top + button.bottom) / 2}, 1, [&] {
                dialog = findProcessWindow(product.processId(), L"File w\u00e4hlen");
                return dialog && IsWindowVisible(dialog);
            }));
        return dialog;
    }
    static HWND nameEdit(HWND dialog) {
        return reinterpret_cast<HWND>(
            SendMessageW(GetDlgItem(dialog, kFileName), CBEM_GETEDITCONTROL, 0, 0));
    }
    // Types the name into the dialog and presses Open.
    static void enter(HWND dialog, const std::wstring& name) {
        SendMessageW(nameEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    static bool closes(HWND window) {
        return waitUntil([&] { return !IsWindow(window); });
    }

    Folder folder;
    // Ends before the folder goes, which the dialog made its current folder.
    Product product;
};

TEST_F(FileChooser, ChoiceArrivesAsFullPathAndTheNextUseStartsFromIt) {
    const std::wstring first = folder.create(L"Programm mit Blanks \u00e4.exe");
    const std::wstring second = folder.create(L"zweites Programm \u00f6.bat");
    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), product.window());
    EXPECT_FALSE(IsWindowEnabled(product.window()));
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == dialog; }));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kFileTypes), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(utf8(windowText(GetDlgItem(dialog, kFileTypes))),
              "Ausführbare Dateien (*.exe;*.com;*.bat)");
    enter(dialog, first);
    ASSERT_TRUE(closes(dialog));
    EXPECT_TRUE(waitUntil([&] { return field() == first; })) << utf8(field());

    // What the field holds meanwhile does not matter; a bare name is taken from the folder.
    SendMessageW(product.control(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"c:\\anders"));
    dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(utf8(windowText(nameEdit(dialog))), "Programm mit Blanks ä.exe");
    enter(dialog, L"zweites Programm \u00f6.bat");
    ASSERT_TRUE(closes(dialog));
    EXPECT_TRUE(waitUntil([&] { return field() == second; })) << utf8(field());
}

TEST_F(FileChooser, MissingNameIsRefusedByTheDialogAndCancelChangesNothing) {
    const HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    enter(dialog, folder.path + L"\\fehlt \u00fc.exe");
    // The dialog says so in a box of its own and stays open.
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = GetLastActivePopup(dialog)) != dialog; }));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(closes(box));
    ASSERT_TRUE(IsWindow(dialog));

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(closes(dialog));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(product.window()) != FALSE; }));
    EXPECT_EQ(field(), L"c:\\vorher");
}

}  // namespace
}  // namespace taktomat::e2e
