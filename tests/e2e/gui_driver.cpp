#include "gui_driver.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "taktomat_product.h"

namespace taktomat::e2e {
namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kPollMs = 50;

struct WindowSearch {
    DWORD processId;
    std::wstring className;
    std::wstring caption;
    bool matchCaption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    if (!search.className.empty() && className(window) != search.className) return TRUE;
    if (search.matchCaption && windowText(window) != search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

HWND findTopLevel(WindowSearch search) {
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring windowText(HWND window) {
    // WM_GETTEXT crosses process boundaries; GetWindowText would not ask the control.
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer),
                             reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    return std::wstring(buffer, static_cast<size_t>(copied));
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

void setText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool trayIsEmpty() {
    return waitUntil([] {
        const HWND tray = trayWindow();
        return tray == nullptr || !IsWindowVisible(tray);
    });
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollMs);
    }
}

void clearStoredSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Raviktaktomate");
}

void storeSetting(const std::wstring& key, const std::wstring& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(opened, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
}

std::optional<std::wstring> storedSetting(const std::wstring& key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, key.c_str(), RRF_RT_REG_SZ, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, key.c_str(), RRF_RT_REG_SZ, &type,
                     value.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcslen(value.c_str()));
    return value;
}

Product::Product(const std::wstring& arguments, StoredSettings settings, MainWindowWait wait,
                 const std::wstring& program) {
    if (settings == StoredSettings::Cleared) clearStoredSettings();
    const std::wstring exe = program.empty() ? std::wstring(kTaktomatExe) : program;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
        why_ = "CreateProcessW failed with error " + std::to_string(GetLastError());
        return;
    }
    HWND found = nullptr;
    const auto complete = [&] {
        // The window exists before its controls do; it is complete once it is shown.
        return found != nullptr && (wait == MainWindowWait::Created || IsWindowVisible(found));
    };
    waitUntil([&] {
        found = findTopLevel({info_.dwProcessId, L"Taktomat.Form1", L"", false, nullptr});
        return complete() || !running();
    });
    if (!complete()) {
        why_ = running() ? "no main window in time" : "the process ended without a window";
        return;
    }
    window_ = found;
}

Product::~Product() {
    if (!info_.hProcess) return;
    if (running() && window_) {
        // Closing lets the utility take its tray icon away; a killed one would leave it.
        PostMessageW(window_, WM_CLOSE, 0, 0);
        waitForExit(10000);
    }
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

HWND Product::control(int tabIndex) const {
    return GetDlgItem(window_, kFirstControlId + tabIndex);
}

HWND Product::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId(), &info)) return nullptr;
    return info.hwndFocus;
}

bool Product::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Product::waitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Product::exitCode() const {
    DWORD code = 0;
    if (!info_.hProcess || !GetExitCodeProcess(info_.hProcess, &code) || code == STILL_ACTIVE) {
        return std::nullopt;
    }
    return code;
}

bool Product::activate() const {
    return waitUntil([&] {
        if (GetForegroundWindow() == window_) return true;
        SetForegroundWindow(window_);
        return false;
    });
}

std::vector<ULONGLONG> launchTimes(const std::wstring& program) {
    std::vector<ULONGLONG> times;
    std::ifstream log(std::filesystem::path(program + L".log"));
    for (ULONGLONG time = 0; log >> time;) times.push_back(time);
    return times;
}

void pressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void typeKeys(std::string_view characters) {
    for (char character : characters) {
        const SHORT key = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(character)));
        if (key == -1) continue;
        const bool shift = (key & 0x100) != 0;
        if (shift) {
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = VK_SHIFT;
            SendInput(1, &down, sizeof(INPUT));
        }
        pressKey(static_cast<WORD>(key & 0xFF));
        if (shift) {
            INPUT up{};
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = VK_SHIFT;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &up, sizeof(INPUT));
        }
    }
}

bool runHostProgram(const std::wstring& unixPath, const std::wstring& arguments) {
    // Wine's own starter execs the host program from a process of its own. Started from here
    // directly, a host program can leave this process with broken handles: once it was the
    // user's registry key.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring starter = std::wstring(system) + L"\\start.exe";
    std::wstring commandLine = L"start.exe /exec " + unixPath + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(starter.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return false;
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return true;
}

bool clickAt(POINT screen, int button) {
    // --sync: the click must not come before the pointer has arrived. It waits for a move,
    // so the pointer first steps next to the target, where no click of ours ever leaves it.
    const std::wstring x = std::to_wstring(screen.x);
    const std::wstring y = std::to_wstring(screen.y);
    return runHostProgram(L"/usr/bin/xdotool",
                          L"mousemove --sync " + std::to_wstring(screen.x + 1) + L" " +
                              std::to_wstring(screen.y + 1) + L" mousemove --sync " + x + L" " + y +
                              L" click " + std::to_wstring(button));
}

bool clickUntil(POINT screen, int button, const std::function<bool()>& effect) {
    // A click can be lost while the pointer's window is still changing; the effect decides.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!clickAt(screen, button)) return false;
        if (waitUntil(effect, kPatienceMs / 3)) return true;
    }
    return false;
}

bool clickOn(HWND window) {
    RECT area{};
    if (!GetWindowRect(window, &area)) return false;
    return clickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2}, 1);
}

HWND trayWindow() {
    return FindWindowW(nullptr, L"Wine System Tray");
}

bool trayIconPosition(POINT& position) {
    HWND tray = nullptr;
    if (!waitUntil([&] { return (tray = trayWindow()) != nullptr && IsWindowVisible(tray); })) {
        return false;
    }
    RECT client{};
    GetClientRect(tray, &client);
    // Icons are laid out from the left of the area's client part; ours is the only one.
    const int icon = GetSystemMetrics(SM_CXSMICON);
    position = {icon / 2 + 2, (client.bottom - client.top) / 2};
    return ClientToScreen(tray, &position) != FALSE;
}

HWND trayIconWindow() {
    const HWND tray = trayWindow();
    return tray ? FindWindowExW(tray, nullptr, nullptr, nullptr) : nullptr;
}

namespace {

// The tool record of a tooltip control as a process of the given width lays it out.
template <typename Pointer>
struct ToolInfo {
    UINT cbSize;
    UINT uFlags;
    Pointer hwnd;
    Pointer uId;
    RECT rect;
    Pointer hinst;
    Pointer lpszText;
    Pointer lParam;
    Pointer lpReserved;
};

struct TooltipSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK matchTooltip(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TooltipSearch*>(parameter);
    if (className(window) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == search.owner) {
        search.found.push_back(window);
    }
    return TRUE;
}

bool is64BitProcess(HANDLE process) {
    BOOL emulated = FALSE;
    IsWow64Process(process, &emulated);
#ifdef _WIN64
    return !emulated;
#else
    BOOL selfEmulated = FALSE;
    IsWow64Process(GetCurrentProcess(), &selfEmulated);
    return selfEmulated && !emulated;
#endif
}

// Asks the tooltip control for the tool's text. Its record and text must lie in the
// shell's own memory, laid out as the shell's width has it.
template <typename Pointer>
std::wstring toolText(HANDLE shell, HWND tooltip, HWND tool) {
    constexpr size_t kTextLength = 1024;
    const SIZE_T size = sizeof(ToolInfo<Pointer>) + kTextLength * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(shell, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote) return {};
    ToolInfo<Pointer> info{};
    info.cbSize = sizeof info;
    info.hwnd = static_cast<Pointer>(reinterpret_cast<UINT_PTR>(tool));
    info.uId = info.hwnd;
    info.lpszText = static_cast<Pointer>(reinterpret_cast<UINT_PTR>(remote + sizeof info));
    std::wstring text(kTextLength, L'\0');
    DWORD_PTR ignored = 0;
    if (WriteProcessMemory(shell, remote, &info, sizeof info, nullptr) &&
        WriteProcessMemory(shell, remote + sizeof info, text.data(), sizeof(wchar_t), nullptr) &&
        SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kTextLength, reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 5000, &ignored) &&
        ReadProcessMemory(shell, remote + sizeof info, text.data(),
                          (kTextLength - 1) * sizeof(wchar_t), nullptr)) {
        text.resize(wcslen(text.c_str()));
    } else {
        text.clear();
    }
    VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    return text;
}

}  // namespace

std::wstring trayIconTip() {
    const HWND tray = trayWindow();
    const HWND icon = trayIconWindow();
    if (!tray || !icon) return {};
    DWORD shellId = 0;
    GetWindowThreadProcessId(tray, &shellId);
    const HANDLE shell = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, shellId);
    if (!shell) return {};
    // The shell gives each icon a tooltip control of its own, owned by the area.
    TooltipSearch search{tray, {}};
    EnumWindows(matchTooltip, reinterpret_cast<LPARAM>(&search));
    std::wstring text;
    for (const HWND tooltip : search.found) {
        text = is64BitProcess(shell) ? toolText<ULONG64>(shell, tooltip, icon)
                                     : toolText<ULONG>(shell, tooltip, icon);
        if (!text.empty()) break;
    }
    CloseHandle(shell);
    return text;
}

HWND openPopupMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

HWND findProcessWindow(DWORD processId, const std::wstring& caption) {
    return findTopLevel({processId, L"", caption, true, nullptr});
}

bool closeMessageBox(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return waitUntil([&] { return !IsWindow(box); });
}

std::wstring messageBoxText(HWND box) {
    // The box's text is the static control with the id 0xFFFF.
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text ? windowText(text) : std::wstring();
}

}  // namespace taktomat::e2e
