#include "platform/start_plan.h"

#include <gtest/gtest.h>

namespace taktomat::platform {
namespace {

// The shell's answers: "PE" of no system version for a console program, "MZ" for a DOS
// program, "PE" of system 5.2 for a Windows program.
constexpr std::uint32_t kConsole = 0x4550;
constexpr std::uint32_t kDos = 0x5A4D;
constexpr std::uint32_t kWindows = 0x05024550;

struct Case {
    const char* path;
    std::uint32_t type;
    int mode;
    StartWay way;
    const char* folder;
};

TEST(PlanStart, OnlyHiddenConsoleProgramsAndBatchFilesGoAroundTheShellAllInTheirOwnFolder) {
    const Case cases[] = {
        {"C:\\Mein Ordner\\Tool.exe", kConsole, 0, StartWay::ConsoleProgram, "C:\\Mein Ordner"},
        {"C:\\Mein Ordner\\Tool.exe", kConsole, 1, StartWay::Shell, "C:\\Mein Ordner"},
        {"C:\\Tool.EXE", kWindows, 0, StartWay::Shell, "C:\\"},
        {"\\\\server\\share\\alt.COM", kDos, 0, StartWay::ConsoleProgram, "\\\\server\\share"},
        {"C:\\a b\\x&y.bat", 0, 0, StartWay::BatchFile, "C:\\a b"},
        {"C:\\a b\\x&y.CMD", kConsole, 0, StartWay::BatchFile, "C:\\a b"},
        {"C:\\a b\\x&y.cmd", kConsole, 6, StartWay::Shell, "C:\\a b"},
        {"C:\\a.exe\\Tool.scr", kConsole, 0, StartWay::Shell, "C:\\a.exe"},
    };
    for (const Case& c : cases) {
        const StartPlan plan = planStart({c.path, c.type}, c.mode);
        EXPECT_EQ(plan.way, c.way) << c.path << " in mode " << c.mode;
        EXPECT_EQ(plan.folder, c.folder) << c.path;
    }
}

}  // namespace
}  // namespace taktomat::platform
