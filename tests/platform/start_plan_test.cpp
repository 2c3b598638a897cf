#include "platform/start_plan.h"

#include <gtest/gtest.h>

#include <tuple>

namespace taktomat::platform {
namespace {

TEST(PlanStart, OnlyHiddenConsoleProgramsAndBatchFilesGoAroundTheShellAllInTheirOwnFolder) {
    // The shell's answers: "PE" alone for a console program, "MZ" for DOS, "PE" 5.2 for Windows.
    const std::uint32_t console = 0x4550, dos = 0x5A4D, windows = 0x05024550;
    const std::tuple<const char*, std::uint32_t, int, StartWay, const char*> cases[] = {
        {"C:\\Mein Ordner\\Tool.exe", console, 0, StartWay::ConsoleProgram, "C:\\Mein Ordner"},
        {"C:\\Mein Ordner\\Tool.exe", console, 1, StartWay::Shell, "C:\\Mein Ordner"},
        {"C:\\Tool.EXE", windows, 0, StartWay::Shell, "C:\\"},
        {"\\\\server\\share\\alt.COM", dos, 0, StartWay::ConsoleProgram, "\\\\server\\share"},
        {"C:\\a b\\x&y.CMD", 0, 0, StartWay::BatchFile, "C:\\a b"},
        {"C:\\a b\\x&y.bat", console, 6, StartWay::Shell, "C:\\a b"},
        {"C:\\a.exe\\Tool.scr", console, 0, StartWay::Shell, "C:\\a.exe"},
    };
    for (const auto& [path, type, mode, way, folder] : cases) {
        const StartPlan plan = planStart({path, type}, mode);
        EXPECT_EQ(plan.way, way) << path << " in mode " << mode;
        EXPECT_EQ(plan.folder, folder) << path;
    }
}

}  // namespace
}  // namespace taktomat::platform
