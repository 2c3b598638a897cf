#pragma once

#include <cstdint>
#include <string>

namespace taktomat::platform {

// The window mode that starts a program hidden (the show-window value SW_HIDE).
inline constexpr int kHiddenWindow = 0;

// What a file to be started is.
struct ProgramFile {
    // Its full path, in the form in which it is started.
    std::string path;
    // What the shell says of it (SHGetFileInfo with SHGFI_EXETYPE): the image's signature in
    // the low word and, for a Windows program, its system version in the high word; 0 for a
    // file that is no program.
    std::uint32_t executableType = 0;
};

enum class StartWay {
    // Through the shell's execution, as a double-click in Explorer starts it.
    Shell,
    // A console program created as itself, its console without a window.
    ConsoleProgram,
    // A batch file run by the system's command processor, its console without a window.
    BatchFile,
};

struct StartPlan {
    StartWay way = StartWay::Shell;
    // The started program's current folder: the one that holds the file, as in Explorer.
    std::string folder;
};

// How the file is started in the window mode. The shell gives a hidden console program a
// console with a window, and Windows 11 hands such a console to its terminal, which shows
// it; only a console made without a window stays unseen. Every other start is the shell's.
StartPlan planStart(const ProgramFile& file, int showWindow);

}  // namespace taktomat::platform
