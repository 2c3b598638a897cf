// Drives taktomat.exe for scripts/bench, from outside as a user would.
//   bench_driver run STAMP_EXE SECONDS OUT_DIR LEAST_LAUNCHER_EXE LEAST_STAMP_EXE ORIGIN_NS
//                    [VARIANT]
//       An endless run at interval 1 in window mode 0 that launches STAMP_EXE, for SECONDS
//       ticks in two halves, stopped and started again between; beside it the least launcher
//       launches LEAST_STAMP_EXE for as many ticks, in two runs. Their phases, counted from
//       ORIGIN_NS, are swapped half-way: the utility at 0 and the least launcher at 0.5 s,
//       then the other way round. Writes OUT_DIR\halves.txt (the whole second after ORIGIN_NS
//       that the phases count from, and the second half's begin), each half's
//       taktomat.start (the real-time clock just before and after Start was pressed),
//       taktomat.stop, least-launcher.start and .stop into OUT_DIR\half1 and OUT_DIR\half2,
//       and OUT_DIR\resources.csv, sampled every 10 ticks. VARIANT, when given, is handed to
//       the least launcher as the variant it runs in.
//   bench_driver startup COUNT LEAST_WINDOW_EXE OUT_DIR
//       Starts the utility and the least window COUNT times each, in turns, both copied into
//       one folder on drive C:, the utility without stored settings, each once the start
//       before it has ended and settled, after one uncounted start of each; writes the
//       milliseconds from each CreateProcessW until the main window is shown to
//       OUT_DIR\startup.txt and OUT_DIR\startup-least-window.txt.
//   bench_driver clock HOST_STAMP HOST_LOG COUNT OUT_FILE
//       Brackets COUNT runs of the host program HOST_STAMP (a Unix path; it appends the host's
//       clock to HOST_LOG) between two readings of this side's clock, one line each.
// All times are nanoseconds since the Unix epoch on the system's real-time clock.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "e2e/gui_driver.h"
#include "real_time.h"
#include "resource_sampler.h"
#include "taktomat_product.h"

namespace taktomat::bench {
namespace {

constexpr int kFile = 0;
constexpr int kSeconds = 2;
constexpr int kStartStop = 3;
constexpr int kWindowMode = 7;
constexpr int kPasses = 9;
constexpr int kSampleEveryTicks = 10;
constexpr long long kSecond = 1'000'000'000LL;
// Where neither Windows contender launches in either half, nor watch.
constexpr long long kSamplePhase = 3 * kSecond / 8;
// Where the utility keeps its settings.
constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Raviktaktomate";
// How long a start waits after the one before it has ended.
constexpr DWORD kSettleMs = 300;

using taktomat::bench::nowNs;

void sleepUntil(long long time) {
    for (long long left = time - nowNs(); left > 0; left = time - nowNs()) {
        Sleep(static_cast<DWORD>(std::max(1LL, left / 1'000'000)));
    }
}

int fail(const std::string& why) {
    std::fprintf(stderr, "bench_driver: %s\n", why.c_str());
    return 1;
}

std::filesystem::path inDir(const std::wstring& dir, const wchar_t* name) {
    return std::filesystem::path(dir) / name;
}

void setText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The least launcher beside the utility: its grid begins at BEGIN, and it ends by itself.
class LeastLauncher {
public:
    LeastLauncher(const std::wstring& exe, const std::wstring& stamp, int seconds, long long begin,
                  const std::wstring& out, const std::wstring& variant) {
        std::wstring commandLine = L"\"" + exe + L"\" \"" + stamp + L"\" " +
                                   std::to_wstring(seconds) + L" " + std::to_wstring(begin) +
                                   L" \"" + out + L"\"";
        if (!variant.empty()) commandLine += L" " + variant;
        STARTUPINFOW startupInfo{};
        startupInfo.cb = sizeof startupInfo;
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startupInfo, &info_) != FALSE;
    }
    ~LeastLauncher() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, e2e::kPatienceMs) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 1);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    LeastLauncher(const LeastLauncher&) = delete;
    LeastLauncher& operator=(const LeastLauncher&) = delete;
    bool started() const { return started_; }
    // Waits until it has run to its end.
    bool finish() const { return WaitForSingleObject(info_.hProcess, e2e::kPatienceMs) == 0; }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// Presses Start or Stop; false when the button does not then show TEXT.
bool press(const e2e::Product& product, const wchar_t* text) {
    SendMessageW(product.control(kStartStop), BM_CLICK, 0, 0);
    return e2e::windowText(product.control(kStartStop)) == text;
}

// The Windows contenders' phases are swapped half-way, so that whatever work of Wine or the
// host falls at one point of each second meets each of them for half the round. The first half: the
// utility at the origin's phase, the least launcher half a second later; the second half the other
// way round. Relative to the origin the host's watch runs at 0.25 s
// (-p) and 0.75 s (-n), so no launch meets another's. Each half's files go to OUT_DIR\half1
// and OUT_DIR\half2.
int run(const std::wstring& stamp, int seconds, const std::wstring& out,
        const std::wstring& leastLauncherExe, const std::wstring& leastStamp, long long origin,
        const std::wstring& variant) {
    const int firstHalf = (seconds + 1) / 2;
    const int secondHalf = seconds - firstHalf;
    const std::wstring halves[] = {out + L"\\half1", out + L"\\half2"};
    for (const std::wstring& half : halves) CreateDirectoryW(half.c_str(), nullptr);
    // The first whole second after the origin that leaves time to start the programs, also
    // on a host that other work keeps busy.
    const long long lead = nowNs() + 8 * kSecond;
    const long long grid = origin + (lead - origin + kSecond - 1) / kSecond * kSecond;
    // In each half: the utility's Start, its Stop (three quarters of a second after its last
    // launch) and the least launcher's begin.
    const long long utilityStart[] = {grid, grid + firstHalf * kSecond + 3 * kSecond / 2};
    const long long utilityStop[] = {grid + firstHalf * kSecond + 3 * kSecond / 4,
                                     utilityStart[1] + secondHalf * kSecond + 3 * kSecond / 4};
    const long long leastBegin[] = {grid + kSecond / 2, grid + (firstHalf + 1) * kSecond};
    // Both started now: a process started between the halves would be Wine's work beside a
    // contender's launch; the second waits without work until its begin.
    const LeastLauncher leastFirst(leastLauncherExe, leastStamp, firstHalf, leastBegin[0],
                                   halves[0], variant);
    const LeastLauncher leastSecond(leastLauncherExe, leastStamp, secondHalf, leastBegin[1],
                                    halves[1], variant);
    if (!leastFirst.started() || !leastSecond.started()) {
        return fail("the least launcher did not start");
    }
    e2e::Product product;
    if (!product.ready()) return fail("the utility did not start: " + product.why());
    setText(product.control(kFile), stamp);
    setText(product.control(kSeconds), L"1");
    setText(product.control(kPasses), L"0");
    SendMessageW(product.control(kWindowMode), CB_SETCURSEL, 0, 0);
    ResourceSampler sampler(product.processId(), product.threadId());
    if (!sampler.ready()) return fail("cannot open the utility's process for sampling");
    if (nowNs() >= grid) return fail("the programs took too long to start");
    std::ofstream(inDir(out, L"halves.txt")) << grid << " " << leastBegin[1] << "\n";

    std::ofstream csv(inDir(out, L"resources.csv"));
    csv << "tick,gdi_objects,user_objects,kernel_handles,private_bytes,working_set\n";
    // The ticks of the samples count from the first half's Start.
    int tick = 0;
    for (int half = 0; half < 2; ++half) {
        sleepUntil(utilityStart[half]);
        const long long before = nowNs();
        if (!press(product, L"Stop")) return fail("the run did not start");
        const long long after = nowNs();
        std::ofstream(inDir(halves[half], L"taktomat.start")) << before << " " << after << "\n";
        for (; grid + tick * kSecond + kSamplePhase < utilityStop[half];
             tick += kSampleEveryTicks) {
            sleepUntil(grid + tick * kSecond + kSamplePhase);
            if (!product.running()) return fail("the utility ended during the run");
            const ResourceSample sample = sampler.sample();
            csv << tick << "," << sample.gdiObjects << "," << sample.userObjects << ","
                << sample.kernelHandles << "," << sample.privateBytes << "," << sample.workingSet
                << "\n"
                << std::flush;
        }
        sleepUntil(utilityStop[half]);
        if (!product.running()) return fail("the utility ended during the run");
        std::ofstream(inDir(halves[half], L"taktomat.stop")) << nowNs() << "\n";
        if (!press(product, L"Start")) return fail("the run did not stop");
    }
    std::ofstream(inDir(out, L"resource-sources.txt"))
        << "gdi_objects: " << sampler.sources().gdiObjects << "\n"
        << "user_objects: " << sampler.sources().userObjects << "\n"
        << "kernel_handles: " << sampler.sources().kernelHandles << "\n"
        << "private_bytes: " << sampler.sources().privateBytes << "\n"
        << "working_set: GetProcessMemoryInfo WorkingSetSize\n";
    if (!leastFirst.finish() || !leastSecond.finish()) {
        return fail("the least launcher did not end");
    }
    return 0;
}

struct ShownWindow {
    DWORD processId;
    const wchar_t* windowClass;
    bool shown;
};

BOOL CALLBACK findShownMainWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ShownWindow*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || e2e::className(window) != search.windowClass ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search.shown = true;
    return FALSE;
}

struct ProcessWindow {
    DWORD processId;
    const wchar_t* windowClass;
};

BOOL CALLBACK closeProcessWindow(HWND window, LPARAM parameter) {
    const auto& target = *reinterpret_cast<const ProcessWindow*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == target.processId && e2e::className(window) == target.windowClass) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Milliseconds from CreateProcessW of EXE until its window of WINDOW_CLASS is visible; then
// closed as a user would close it. Empty when it did not show in time.
std::optional<double> timeStart(const std::wstring& exe, const wchar_t* windowClass) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startupInfo{};
    startupInfo.cb = sizeof startupInfo;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER begin{};
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startupInfo, &info)) {
        return std::nullopt;
    }
    ShownWindow search{info.dwProcessId, windowClass, false};
    LARGE_INTEGER end{};
    // Looked for every millisecond: the test driver's wait polls far more coarsely.
    const ULONGLONG deadline = GetTickCount64() + e2e::kPatienceMs;
    for (;;) {
        EnumWindows(findShownMainWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&end);
        if (search.shown || GetTickCount64() >= deadline) break;
        Sleep(1);
    }
    const bool shown = search.shown;
    // A close lets the program end as usual; it takes its tray icon away.
    ProcessWindow target{info.dwProcessId, windowClass};
    EnumWindows(closeProcessWindow, reinterpret_cast<LPARAM>(&target));
    if (WaitForSingleObject(info.hProcess, e2e::kPatienceMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!shown) return std::nullopt;
    return 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// A program that has just ended leaves work behind in Wine: the shell's tray still takes
// its icon away, the desktop repaints where its window was, and a process ended at once
// has its windows destroyed for it. The next start would pay for that, so it waits until
// the tray answers and then a little longer.
void settle() {
    if (const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(tray, WM_NULL, 0, 0, SMTO_NORMAL, e2e::kPatienceMs, &ignored);
    }
    Sleep(kSettleMs);
}

// A copy of FILE in FOLDER under NAME; empty when it cannot be made.
std::wstring copyInto(const std::wstring& folder, const std::wstring& file, const wchar_t* name) {
    const std::wstring copy = folder + L"\\" + name;
    return CopyFileW(file.c_str(), copy.c_str(), FALSE) ? copy : std::wstring();
}

// The utility and the least window in turns, each first in every other pair, so that any
// change of the machine's load meets both alike. Both start from one folder on drive C:,
// where a user would keep them, rather than from the build tree.
int startup(int count, const std::wstring& leastWindow, const std::wstring& out) {
    wchar_t drive[MAX_PATH] = L"C:";
    GetEnvironmentVariableW(L"SystemDrive", drive, MAX_PATH);
    const std::wstring folder = std::wstring(drive) + L"\\taktomat-startup";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring utilityExe = copyInto(folder, kTaktomatExe, L"taktomat.exe");
    const std::wstring leastExe = copyInto(folder, leastWindow, L"least_window.exe");
    if (utilityExe.empty() || leastExe.empty()) return fail("cannot copy the programs to C:");
    // One start of each that is not counted: the first start in a Wine session also starts
    // Wine's desktop and tray, and a program's first start from a new folder finds nothing
    // of it cached yet.
    for (const bool utility : {true, false}) {
        if (utility) RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        settle();
        if (!(utility ? timeStart(utilityExe, L"Taktomat.Form1")
                      : timeStart(leastExe, L"Taktomat.LeastWindow"))) {
            return fail(utility ? "the utility showed no main window in time"
                                : "the least window did not show in time");
        }
    }
    std::ofstream utilityTimes(inDir(out, L"startup.txt"));
    std::ofstream leastTimes(inDir(out, L"startup-least-window.txt"));
    for (int start = 0; start < count; ++start) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool utility = (turn == 0) == (start % 2 == 0);
            // Every start of the utility is a first one, as the least window reads nothing.
            if (utility) RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
            settle();
            const std::optional<double> time = utility
                                                   ? timeStart(utilityExe, L"Taktomat.Form1")
                                                   : timeStart(leastExe, L"Taktomat.LeastWindow");
            if (!time) {
                return fail(utility ? "the utility showed no main window in time"
                                    : "the least window did not show in time");
            }
            (utility ? utilityTimes : leastTimes) << *time << "\n" << std::flush;
        }
    }
    return 0;
}

size_t lineCount(const std::filesystem::path& file) {
    std::ifstream in(file);
    size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

int clock(const std::wstring& hostStamp, const std::wstring& hostLog, int count,
          const std::wstring& outFile) {
    std::wstring windowsLog = L"Z:" + hostLog;
    for (wchar_t& c : windowsLog) {
        if (c == L'/') c = L'\\';
    }
    std::ofstream out{std::filesystem::path(outFile)};
    for (int run = 0; run < count; ++run) {
        const long long before = nowNs();
        if (!e2e::runHostProgram(hostStamp, hostLog)) return fail("cannot run the host stamp");
        long long after = 0;
        if (!e2e::waitUntil([&] {
                after = nowNs();
                if (lineCount(windowsLog) > static_cast<size_t>(run)) return true;
                Sleep(1);
                return false;
            })) {
            return fail("the host stamp wrote nothing");
        }
        out << before << " " << after << "\n";
    }
    return 0;
}

}  // namespace
}  // namespace taktomat::bench

int wmain(int argc, wchar_t** argv) {
    using namespace taktomat::bench;
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if ((args.size() == 7 || args.size() == 8) && args[0] == L"run") {
        return run(args[1], std::stoi(args[2]), args[3], args[4], args[5], std::stoll(args[6]),
                   args.size() == 8 ? args[7] : std::wstring());
    }
    if (args.size() == 4 && args[0] == L"startup") {
        return startup(std::stoi(args[1]), args[2], args[3]);
    }
    if (args.size() == 5 && args[0] == L"clock") {
        return clock(args[1], args[2], std::stoi(args[3]), args[4]);
    }
    std::fprintf(
        stderr,
        "usage: bench_driver run STAMP_EXE SECONDS OUT_DIR LEAST_LAUNCHER_EXE LEAST_STAMP_EXE "
        "ORIGIN_NS [VARIANT]\n"
        "       bench_driver startup COUNT LEAST_WINDOW_EXE OUT_DIR\n"
        "       bench_driver clock HOST_STAMP HOST_LOG COUNT OUT_FILE\n");
    return 2;
}
