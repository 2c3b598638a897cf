// Drives taktomat.exe for scripts/bench, from outside as a user would.
//   bench_driver run STAMP_EXE SECONDS OUT_DIR
//       An endless run at interval 1 in window mode 0 that launches STAMP_EXE, for SECONDS;
//       writes OUT_DIR\taktomat.start (the real-time clock just before and after Start was
//       pressed), OUT_DIR\taktomat.stop, and OUT_DIR\resources.csv, sampled every 10 ticks.
//   bench_driver startup COUNT OUT_FILE
//       Starts the utility COUNT times; writes the milliseconds from each CreateProcessW until
//       its main window is shown.
//   bench_driver clock HOST_STAMP HOST_LOG COUNT OUT_FILE
//       Brackets COUNT runs of the host program HOST_STAMP (a Unix path; it appends the host's
//       clock to HOST_LOG) between two readings of this side's clock, one line each.
// All times are nanoseconds since the Unix epoch on the system's real-time clock.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/gui_driver.h"
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
constexpr unsigned long long kUnixEpochIn100ns = 116444736000000000ULL;

long long nowNs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long steps =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(steps - kUnixEpochIn100ns) * 100;
}

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

int run(const std::wstring& stamp, int seconds, const std::wstring& out) {
    e2e::Product product;
    if (!product.ready()) return fail("the utility did not start: " + product.why());
    setText(product.control(kFile), stamp);
    setText(product.control(kSeconds), L"1");
    setText(product.control(kPasses), L"0");
    SendMessageW(product.control(kWindowMode), CB_SETCURSEL, 0, 0);
    ResourceSampler sampler(product.processId(), product.threadId());
    if (!sampler.ready()) return fail("cannot open the utility's process for sampling");

    const long long before = nowNs();
    SendMessageW(product.control(kStartStop), BM_CLICK, 0, 0);
    const long long after = nowNs();
    if (e2e::windowText(product.control(kStartStop)) != L"Stop") {
        return fail("the run did not start");
    }
    std::ofstream(inDir(out, L"taktomat.start")) << before << " " << after << "\n";

    std::ofstream csv(inDir(out, L"resources.csv"));
    csv << "tick,gdi_objects,user_objects,kernel_handles,private_bytes,working_set\n";
    // Half-way between two ticks, so that no sample meets a launch.
    for (int tick = 0; tick < seconds; tick += kSampleEveryTicks) {
        sleepUntil(before + tick * kSecond + kSecond / 2);
        if (!product.running()) return fail("the utility ended during the run");
        const ResourceSample sample = sampler.sample();
        csv << tick << "," << sample.gdiObjects << "," << sample.userObjects << ","
            << sample.kernelHandles << "," << sample.privateBytes << "," << sample.workingSet
            << "\n"
            << std::flush;
    }
    std::ofstream(inDir(out, L"resource-sources.txt"))
        << "gdi_objects: " << sampler.sources().gdiObjects << "\n"
        << "user_objects: " << sampler.sources().userObjects << "\n"
        << "kernel_handles: " << sampler.sources().kernelHandles << "\n"
        << "private_bytes: " << sampler.sources().privateBytes << "\n"
        << "working_set: GetProcessMemoryInfo WorkingSetSize\n";

    sleepUntil(before + seconds * kSecond);
    if (!product.running()) return fail("the utility ended during the run");
    std::ofstream(inDir(out, L"taktomat.stop")) << nowNs() << "\n";
    return 0;
}

struct ShownWindow {
    DWORD processId;
    bool shown;
};

BOOL CALLBACK findShownMainWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ShownWindow*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || e2e::className(window) != L"Taktomat.Form1" ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search.shown = true;
    return FALSE;
}

BOOL CALLBACK closeProcessWindow(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId) && e2e::className(window) == L"Taktomat.Form1") {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

int startup(int count, const std::wstring& outFile) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::ofstream out{std::filesystem::path(outFile)};
    for (int start = 0; start < count; ++start) {
        std::wstring commandLine = L"\"" + std::wstring(kTaktomatExe) + L"\"";
        STARTUPINFOW startupInfo{};
        startupInfo.cb = sizeof startupInfo;
        PROCESS_INFORMATION info{};
        LARGE_INTEGER begin{};
        QueryPerformanceCounter(&begin);
        if (!CreateProcessW(kTaktomatExe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startupInfo, &info)) {
            return fail("CreateProcessW failed with error " + std::to_string(GetLastError()));
        }
        ShownWindow search{info.dwProcessId, false};
        LARGE_INTEGER end{};
        const bool shown = e2e::waitUntil([&] {
            EnumWindows(findShownMainWindow, reinterpret_cast<LPARAM>(&search));
            QueryPerformanceCounter(&end);
            if (!search.shown) Sleep(1);
            return search.shown;
        });
        if (shown) {
            out << 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                       static_cast<double>(frequency.QuadPart)
                << "\n";
        }
        // A close lets the utility end as usual; it takes its tray icon away.
        EnumWindows(closeProcessWindow, static_cast<LPARAM>(info.dwProcessId));
        if (WaitForSingleObject(info.hProcess, e2e::kPatienceMs) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, 5000);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        if (!shown) return fail("no main window shown in time");
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
    if (args.size() == 4 && args[0] == L"run") return run(args[1], std::stoi(args[2]), args[3]);
    if (args.size() == 3 && args[0] == L"startup") return startup(std::stoi(args[1]), args[2]);
    if (args.size() == 5 && args[0] == L"clock") {
        return clock(args[1], args[2], std::stoi(args[3]), args[4]);
    }
    std::fprintf(stderr,
                 "usage: bench_driver run STAMP_EXE SECONDS OUT_DIR\n"
                 "       bench_driver startup COUNT OUT_FILE\n"
                 "       bench_driver clock HOST_STAMP HOST_LOG COUNT OUT_FILE\n");
    return 2;
}
