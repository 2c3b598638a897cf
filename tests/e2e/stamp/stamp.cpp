// A stand-in for the program the utility launches: each start appends the tick count at
// which it was created to "<its own path>.log" and ends. A GUI program, so no console opens. One
// named "x 2500.exe" ends 2500 ms after its creation; as a console program it notes its console's
// window and its folder too.
#include <windows.h>

#include <algorithm>
#include <bit>
#include <cwchar>
#include <filesystem>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    const std::wstring log = std::wstring(path, length) + L".log";
    // The creation is the utility's act; how long the new process then takes to run is Wine's,
    // and on a busy machine it varies by a hundred milliseconds and more.
    FILETIME created{}, unused{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    GetSystemTimeAsFileTime(&now);
    const LONGLONG age = (std::bit_cast<LONGLONG>(now) - std::bit_cast<LONGLONG>(created)) / 10000;
    std::string line =
        std::to_string(GetTickCount64() - static_cast<ULONGLONG>(std::max(age, 0LL)));
#ifdef TAKTOMAT_CONSOLE_STAMP
    const std::u8string cd = std::filesystem::current_path().u8string();
    line += (GetConsoleWindow() ? " window " : " none ") + std::string(cd.begin(), cd.end());
#endif
    line += "\n";
    // Several starts may overlap: each appends its line whole.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            const LONGLONG left =
                std::wcstol(&log[log.find_last_of(L" \\") + 1], nullptr, 10) - age;
            if (left > 0) Sleep(static_cast<DWORD>(left));
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
