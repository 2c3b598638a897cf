// The program the utility launches in the benchmark: each start appends one line to
// "<its own path>.log": when it began to run and when Wine or Windows created its process,
// both in nanoseconds since the Unix epoch on the system's real-time clock (under Wine that is
// the host's CLOCK_REALTIME, the clock the Linux contenders' stamps read). A GUI program, so
// no console opens.
#include <windows.h>

#include <string>

#include "real_time.h"

namespace {

using taktomat::bench::unixNanoseconds;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all, so that nothing of the program's own work counts as lateness.
    FILETIME running{};
    GetSystemTimePreciseAsFileTime(&running);
    FILETIME created{};
    FILETIME unused[3] = {};
    GetProcessTimes(GetCurrentProcess(), &created, &unused[0], &unused[1], &unused[2]);

    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    const std::wstring log = std::wstring(path, length) + L".log";
    const std::string line = std::to_string(unixNanoseconds(running)) + " " +
                             std::to_string(unixNanoseconds(created)) + "\n";
    // Starts may overlap: each appends its line whole, retrying while another holds the file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(1);
    }
    return 1;
}
