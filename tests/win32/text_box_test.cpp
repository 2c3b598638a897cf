// The edit control as the logic sees it: every change raises the change event exactly once,
// whether typed, pasted or assigned.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/text.h"
#include "window_fixture.h"

namespace taktomat::platform::win32 {
namespace {

class Win32TextBoxTest : public WindowFixture {
protected:
    Win32TextBoxTest() : box(window.addTextBox({"feld", "", {945, 405, 1140, 330}, 2})) {
        box.setOnChange([this] {
            ++changes;
            seen.push_back(box.text());
        });
    }

    HWND edit() const { return controlWithTabIndex(2); }

    TextBox& box;
    int changes = 0;
    std::vector<std::string> seen;
};

TEST_F(Win32TextBoxTest, AssignmentRaisesTheChangeOnceWithTheNewText) {
    box.setText("15");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"15"}));
    EXPECT_EQ(box.text(), "15");
}

TEST_F(Win32TextBoxTest, AssignmentInsideTheChangeRunsItNested) {
    box.setOnChange([this] {
        ++changes;
        seen.push_back(box.text());
        if (box.text() == "1x") {
            box.setText("1");
            box.setCaretPosition(static_cast<int>(box.text().size()));
        }
    });
    box.setText("1x");
    EXPECT_EQ(seen, (std::vector<std::string>{"1x", "1"}));
    EXPECT_EQ(box.text(), "1");
    EXPECT_EQ(box.caretPosition(), 1);
}

TEST_F(Win32TextBoxTest, TypedCharacterRaisesTheChangeOnce) {
    SendMessageW(edit(), WM_CHAR, L'7', 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), "7");
}

TEST_F(Win32TextBoxTest, PasteRaisesTheChangeOnceForTheWholeText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::wstring pasted = L"abc";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::copy_n(pasted.c_str(), pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();

    SendMessageW(edit(), WM_PASTE, 0, 0);

    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"abc"}));
}

TEST_F(Win32TextBoxTest, TextRoundTripsBeyondTheAnsiCodePage) {
    const std::string text = "C:\\Mein Ordner\\\xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC.exe";
    box.setText(text);
    EXPECT_EQ(box.text(), text);
}

TEST_F(Win32TextBoxTest, CaretMovesAndClearsTheSelection) {
    box.setText("12345");
    SendMessageW(edit(), EM_SETSEL, 1, 4);
    box.setCaretPosition(5);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(box.caretPosition(), 5);
}

TEST(Utf8Conversion, RoundTripsAndMarksBrokenInput) {
    const std::string text = "Durchl\xC3\xA4ufe \xF0\x9F\x98\x80";
    EXPECT_EQ(toUtf8(toWide(text)), text);
    EXPECT_EQ(toWide("\xC3\xA4"), L"\u00e4");
    EXPECT_EQ(toWide("a\xFF"
                     "b"),
              L"a\uFFFDb");
    EXPECT_EQ(toWide(""), L"");
}

}  // namespace
}  // namespace taktomat::platform::win32
