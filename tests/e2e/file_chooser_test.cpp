// The browse button of the real executable and the system's open-file dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_driver.h"

namespace taktomat::e2e {
namespace {

// Tab indexes of the controls.
constexpr int kFile = 0;
constexpr int kBrowse = 1;

// Controls of the explorer-style dialog.
constexpr int kFileTypeList = 0x470;  // cmb1
constexpr int kFileNameBox = 0x47C;   // cmb13
constexpr int kFileNameEdit = 0x480;  // edt1

constexpr const wchar_t* kTitle = L"File w\u00e4hlen";

// A folder of program files in the temporary folder, with blanks and umlauts in every name;
// removed with its files at the end.
class TestFolder {
public:
    TestFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp) + L"Taktomat Wahl \u00e4\u00f6\u00fc \u00df";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TestFolder() {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Creates the file and returns its full path.
    std::wstring create(const std::wstring& name) {
        const std::wstring path = file(name);
        const HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            CloseHandle(created);
            files_.push_back(path);
        }
        return path;
    }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

BOOL CALLBACK findEdit(HWND window, LPARAM found) {
    if (className(window) != L"Edit") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

struct OwnedBox {
    HWND owner;
    HWND found;
};

BOOL CALLBACK findOwnedBox(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<OwnedBox*>(parameter);
    if (GetWindow(window, GW_OWNER) != search.owner || className(window) != L"#32770" ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// A dialog box shown by the given window, as a message box is.
HWND boxOf(HWND owner) {
    OwnedBox search{owner, nullptr};
    EnumWindows(findOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class FileChooser : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(product.ready()) << product.why();
        SetWindowPos(product.window(), nullptr, 300, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(product.activate());
    }

    void setField(const std::wstring& text) {
        SendMessageW(product.control(kFile), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring field() const { return windowText(product.control(kFile)); }

    // Shown once its set-up is done: its controls are filled by then.
    HWND dialog() const {
        const HWND found = findProcessWindow(product.processId(), kTitle);
        return found && IsWindowVisible(found) ? found : nullptr;
    }

    // A real click on the browse button; the dialog it opened.
    HWND openDialog() {
        HWND opened = nullptr;
        RECT button{};
        GetWindowRect(product.control(kBrowse), &button);
        const POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        EXPECT_TRUE(clickUntil(middle, 1, [&] { return (opened = dialog()) != nullptr; }))
            << "no dialog titled File wählen";
        return opened;
    }

    // The file name field: an edit inside the name box, or a plain edit in older styles.
    static HWND fileNameEdit(HWND dialog) {
        HWND edit = nullptr;
        if (const HWND box = GetDlgItem(dialog, kFileNameBox)) {
            EnumChildWindows(box, findEdit, reinterpret_cast<LPARAM>(&edit));
        }
        return edit ? edit : GetDlgItem(dialog, kFileNameEdit);
    }

    // Types the name into the dialog and presses its Open button.
    static void enterName(HWND dialog, const std::wstring& name) {
        const HWND edit = fileNameEdit(dialog);
        ASSERT_NE(edit, nullptr) << "no file name field";
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }

    static bool closes(HWND window) {
        return waitUntil([&] { return !IsWindow(window); });
    }

    TestFolder folder;
    // Declared after the folder: it ends before the folder goes, which may be its current one.
    Product product;
};

TEST_F(FileChooser, ChosenPathReplacesTheFieldAndTheNextUseStartsFromIt) {
    const std::wstring first = folder.create(L"Programm mit Blanks \u00e4.exe");
    const std::wstring second = folder.create(L"zweites Programm \u00f6.bat");
    setField(L"c:\\getippt.exe");

    HWND shown = openDialog();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(GetWindow(shown, GW_OWNER), product.window());
    EXPECT_FALSE(IsWindowEnabled(product.window())) << "the dialog is modal to the window";
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == shown; }));
    const HWND types = GetDlgItem(shown, kFileTypeList);
    EXPECT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(utf8(windowText(types)), "Ausführbare Dateien (*.exe;*.com;*.bat)");
    ASSERT_NO_FATAL_FAILURE(enterName(shown, first));
    ASSERT_TRUE(closes(shown));
    EXPECT_TRUE(waitUntil([&] { return field() == first; })) << utf8(field());

    // Another path typed meanwhile does not matter: the dialog opens in the first choice's
    // folder with its name, and a bare name is taken from there.
    setField(L"c:\\anders.exe");
    shown = openDialog();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(utf8(windowText(fileNameEdit(shown))), "Programm mit Blanks ä.exe");
    ASSERT_NO_FATAL_FAILURE(enterName(shown, L"zweites Programm \u00f6.bat"));
    ASSERT_TRUE(closes(shown));
    EXPECT_TRUE(waitUntil([&] { return field() == second; })) << utf8(field());
}

TEST_F(FileChooser, MissingNameIsRefusedByTheDialogAndCancelChangesNothing) {
    setField(L"c:\\getippt.exe");
    const HWND shown = openDialog();
    ASSERT_NE(shown, nullptr);

    ASSERT_NO_FATAL_FAILURE(enterName(shown, folder.file(L"fehlt \u00fc.exe")));
    // The dialog says so in a box of its own and stays open.
    HWND refusal = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (refusal = boxOf(shown)) != nullptr; }))
        << "no box about the missing file";
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(closes(refusal));
    EXPECT_TRUE(IsWindow(shown));

    PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(closes(shown));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(product.window()) != FALSE; }));
    EXPECT_EQ(utf8(field()), "c:\\getippt.exe");
}

}  // namespace
}  // namespace taktomat::e2e
