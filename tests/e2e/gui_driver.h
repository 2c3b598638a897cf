// Drives the real taktomat.exe from another process: starts it, finds its windows and
// controls, and acts on them as a user would (keys through SendInput, mouse clicks through
// xdotool on the X display that Wine draws on).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace taktomat::e2e {

// Tab indexes of the main window's controls, by which control() finds them.
inline constexpr int kFile = 0;
inline constexpr int kBrowse = 1;
inline constexpr int kSeconds = 2;
inline constexpr int kStartStop = 3;
inline constexpr int kMode = 7;
inline constexpr int kPasses = 9;

// Long enough for a slow, busy machine; every wait polls and ends as soon as it can.
inline constexpr DWORD kPatienceMs = 30000;

std::string utf8(std::wstring_view text);
std::wstring windowText(HWND window);
std::wstring className(HWND window);

// Assigns a control's text as the program itself would (the change event follows).
void setText(HWND control, const std::wstring& text);
// Waits until Wine's notification area holds no icon: it hides itself then.
bool trayIsEmpty();

// Polls the condition until it holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kPatienceMs);

// The utility's stored settings in the registry of the user (of the test prefix).
inline constexpr wchar_t kSettingsKey[] =
    L"Software\\VB and VBA Program Settings\\Raviktaktomate\\Startup";
void clearStoredSettings();
void storeSetting(const std::wstring& key, const std::wstring& value);
// A value as the registry holds it, if it is a string.
std::optional<std::wstring> storedSetting(const std::wstring& key);

enum class StoredSettings { Cleared, AsTheyAre };
// What the start waits for: the main window shown (and so complete), or only created, for a
// start that shows a box first or sends the window to the tray.
enum class MainWindowWait { Shown, Created };

// A running taktomat.exe with its main window. Ends it at the end, politely when it can.
// Unless told otherwise it starts from an empty store, so that no test sees another's values.
class Product {
public:
    // The program is the build's own unless another (an installed one) is named.
    explicit Product(const std::wstring& arguments = L"",
                     StoredSettings settings = StoredSettings::Cleared,
                     MainWindowWait wait = MainWindowWait::Shown, const std::wstring& program = {});
    ~Product();
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    // False when it did not start or had no main window in time; why() says what.
    bool ready() const { return window_ != nullptr; }
    const std::string& why() const { return why_; }

    HWND window() const { return window_; }
    DWORD processId() const { return info_.dwProcessId; }
    DWORD threadId() const { return GetWindowThreadProcessId(window_, nullptr); }
    // A control by its tab index; null until the window has created it.
    HWND control(int tabIndex) const;
    // The control (or its child, as in a combo box's edit) that has the keyboard focus.
    HWND focus() const;
    bool running() const;
    bool waitForExit(DWORD timeoutMs = kPatienceMs) const;
    // The exit code once it has ended: 0 for an orderly end, an exception code for a crash.
    std::optional<DWORD> exitCode() const;
    // Brings the main window to the foreground and waits until it is there.
    bool activate() const;

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    std::string why_;
};

// The tick counts that the stand-in program noted at its starts ("<program>.log").
std::vector<ULONGLONG> launchTimes(const std::wstring& program);

// Presses and releases a key in the foreground window.
void pressKey(WORD virtualKey);
// Types the characters (ASCII letters, digits and signs) as key presses.
void typeKeys(std::string_view characters);

// Runs a program of the host (not a Windows program) and returns at once. Under Wine the
// host's programs are reached by their Unix path.
bool runHostProgram(const std::wstring& unixPath, const std::wstring& arguments);
// A real click of the X display's pointer at a screen position (1 left, 3 right).
bool clickAt(POINT screen, int button);

// Clicks until the effect shows, a few times at most; true when it showed.
bool clickUntil(POINT screen, int button, const std::function<bool()>& effect);
// A real left click in the middle of a window.
bool clickOn(HWND window);

// Wine's stand-alone notification area, where tray icons appear without a desktop shell.
HWND trayWindow();
// Where the only icon in that area sits on the screen; false when the area is not there.
bool trayIconPosition(POINT& position);
// The window of the first icon in that area, if any.
HWND trayIconWindow();
// That icon's tooltip, read from the shell's tooltip control; empty when there is none.
std::wstring trayIconTip();
// The first pop-up menu on screen, if any.
HWND openPopupMenu();
// A top-level window of the process with the given caption, if any.
HWND findProcessWindow(DWORD processId, const std::wstring& caption);
// The text of a message box (its static text control).
std::wstring messageBoxText(HWND box);
// Closes a message box with its OK button and waits until it has gone.
bool closeMessageBox(HWND box);

}  // namespace taktomat::e2e
