// The least launcher: the least that a program must do to keep the utility's schedule, and
// so the limit of its launch accuracy under Wine. A hidden window with a tray icon, one
// absolute one-second grid kept with SetTimer on the utility's own schedule, and at each tick
// exactly the utility's visible work and start at interval 1: the tray icon's image and
// tooltip, the caption, and ShellExecuteExW of the file with the utility's flags and show
// value 0. Nothing else: no file check, no input, no settings.
// As the utility, it asks the shell what the file is (a window program, so the shell starts
// it) and starts it in the folder that holds it.
//   least_launcher FILE SECONDS BEGIN_NS OUT_DIR
// Waits until BEGIN_NS (nanoseconds since the Unix epoch on the real-time clock), begins the
// grid there and ends after SECONDS ticks; writes the real-time clock at the grid's begin to
// OUT_DIR\least-launcher.start and at its end to OUT_DIR\least-launcher.stop, then the real
// time where its grid begins, that of the tick count it was begun from, to
// OUT_DIR\least-launcher.grid.
//   least_launcher FILE SECONDS BEGIN_NS OUT_DIR VARIANT
// The same with one difference, to tell apart what makes a parent's launches slower:
//   ballast:MIB  MIB mebibytes more of private memory, written once and kept, so that the
//                process is as large as a larger program (Wine's process creation copies the
//                parent's memory map)
//   thread       one more thread, waiting in its own message loop for the whole run
//   hide         the window minimised and hidden, as the utility's during a run, and after
//                each start hidden again as the utility hides a window that belongs in the
//                tray
//   nocom        no COM on the thread (the shell's start of a program file needs none under
//                Wine)
//   still        the tray icon and the caption sent only when they change, as the utility
//                does, so the tick's own work before the start is the utility's
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "real_time.h"
#include "resource_ids.h"
#include "scheduler/tick_schedule.h"

namespace {

constexpr wchar_t kClassName[] = L"Taktomat.LeastLauncher";
constexpr UINT_PTR kTimerId = 1;

using taktomat::scheduler::TickSchedule;

using taktomat::bench::nowNs;

TickSchedule::Duration monotonicNow() {
    return TickSchedule::Duration(GetTickCount64());
}

struct Launcher {
    std::wstring file;
    std::wstring folder;
    long long ticks = 0;
    long long done = 0;
    TickSchedule schedule;
    NOTIFYICONDATAA tray{};
    // The variant's differences; none in the plain least launcher.
    bool hideAfterStart = false;
    bool onlyChanges = false;
    std::string shown;
};

// A thread that does nothing but wait for messages, as a helper thread of a larger program.
DWORD WINAPI idleThread(void*) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

void setTip(NOTIFYICONDATAA& tray, const std::string& text) {
    std::memset(tray.szTip, ' ', sizeof(tray.szTip));
    std::memcpy(tray.szTip, text.c_str(), text.size() + 1);
}

void tick(HWND window, Launcher& self) {
    ++self.done;
    const std::string text = "0s bis Programmstart, Durchlauf " + std::to_string(self.done);
    if (self.onlyChanges) {
        // The utility's text at interval 1 stays the same from tick to tick.
        const std::string same = "0s bis Programmstart";
        if (self.shown != same) {
            setTip(self.tray, same);
            Shell_NotifyIconA(NIM_MODIFY, &self.tray);
            SetWindowTextA(window, same.c_str());
            self.shown = same;
        }
    } else {
        setTip(self.tray, text);
        Shell_NotifyIconA(NIM_MODIFY, &self.tray);
        SetWindowTextA(window, text.c_str());
    }

    SHGetFileInfoW(self.file.c_str(), 0, nullptr, 0, SHGFI_EXETYPE);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof(execute);
    execute.fMask =
        SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | SEE_MASK_NOZONECHECKS;
    execute.hwnd = window;
    execute.lpFile = self.file.c_str();
    execute.lpDirectory = self.folder.c_str();
    execute.nShow = SW_HIDE;
    if (ShellExecuteExW(&execute) && execute.hProcess) CloseHandle(execute.hProcess);
    if (self.hideAfterStart && IsIconic(window)) ShowWindow(window, SW_HIDE);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<Launcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_TIMER || self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self->schedule.takeDueTicks(monotonicNow()) > 0) tick(window, *self);
    if (self->done >= self->ticks) {
        KillTimer(window, kTimerId);
        PostQuitMessage(0);
        return 0;
    }
    // As the utility's timer: anything below the window system's minimum is its minimum.
    const long long delay = self->schedule.untilNextTick(monotonicNow()).count();
    SetTimer(window, kTimerId,
             static_cast<UINT>(delay < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : delay), nullptr);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc != 5 && __argc != 6) return 2;
    Launcher self;
    self.file = __wargv[1];
    self.folder = std::filesystem::path(self.file).parent_path().wstring();
    self.ticks = std::stoll(__wargv[2]);
    const long long begin = std::stoll(__wargv[3]);
    const std::filesystem::path outDir = __wargv[4];
    const std::wstring variant = __argc == 6 ? __wargv[5] : L"";
    std::vector<char> ballast;
    if (variant.rfind(L"ballast:", 0) == 0) {
        ballast.resize(std::stoull(variant.substr(8)) << 20);
        // Written page by page, so that every page is the process's own.
        for (size_t at = 0; at < ballast.size(); at += 4096) ballast[at] = 1;
    } else if (variant == L"thread") {
        DWORD id = 0;
        if (const HANDLE thread = CreateThread(nullptr, 0, idleThread, nullptr, 0, &id)) {
            CloseHandle(thread);
        }
    } else if (variant == L"hide") {
        self.hideAfterStart = true;
    } else if (variant == L"still") {
        self.onlyChanges = true;
    } else if (!variant.empty() && variant != L"nocom") {
        return 2;
    }

    // The shell's execution needs COM on the thread, as in the utility.
    const HRESULT com =
        variant == L"nocom"
            ? E_FAIL
            : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    const HWND window =
        CreateWindowExW(0, kClassName, L"Taktomat", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                        CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, &self);
    const auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAKTOMAT), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    self.tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    self.tray.hWnd = window;
    self.tray.uID = 1;
    self.tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    self.tray.uCallbackMessage = WM_APP + 1;
    self.tray.hIcon = icon;
    setTip(self.tray, "Taktomat");
    Shell_NotifyIconA(NIM_ADD, &self.tray);
    if (self.hideAfterStart) {
        // As the utility's window during a run: minimised, then hidden in the tray.
        ShowWindow(window, SW_SHOWMINNOACTIVE);
        ShowWindow(window, SW_HIDE);
    }

    for (long long left = begin - nowNs(); left > 0; left = begin - nowNs()) {
        Sleep(static_cast<DWORD>(left > 1'000'000 ? left / 1'000'000 : 1));
    }
    const long long began = nowNs();
    self.schedule.begin(monotonicNow());
    const long long gridTick = self.schedule.lastDueTime().count();
    SetTimer(window, kTimerId, 1000, nullptr);
    std::ofstream(outDir / L"least-launcher.start") << began << " " << began << "\n";

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    std::ofstream(outDir / L"least-launcher.stop") << nowNs() << "\n";
    std::ofstream(outDir / L"least-launcher.grid")
        << taktomat::bench::tickCountOrigin() + gridTick * 1'000'000 << "\n";
    Shell_NotifyIconA(NIM_DELETE, &self.tray);
    DestroyWindow(window);
    DestroyIcon(icon);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
