#include "platform/start_plan.h"

#include <algorithm>

namespace taktomat::platform {
namespace {

constexpr std::uint32_t kDosSignature = 0x5A4D;  // "MZ"
constexpr std::uint32_t kNtSignature = 0x4550;   // "PE"

std::string folderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    // A drive's root keeps its backslash: "C:" alone would mean that drive's current folder.
    if (separator == 0 || path[separator - 1] == ':') return path.substr(0, separator + 1);
    return path.substr(0, separator);
}

// The file's extension in lower case, with its dot; empty when it has none.
std::string extensionOf(const std::string& path) {
    const size_t dot = path.find_last_of(".\\/");
    if (dot == std::string::npos || path[dot] != '.') return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return extension;
}

}  // namespace

StartPlan planStart(const ProgramFile& file, int showWindow) {
    StartPlan plan{StartWay::Shell, folderOf(file.path)};
    if (showWindow != kHiddenWindow) return plan;
    const std::string extension = extensionOf(file.path);
    // A batch file is one by its name, as for the system's own start of it. (Windows' shell
    // also calls it a console program; Wine's calls it nothing.)
    if (extension == ".bat" || extension == ".cmd") {
        plan.way = StartWay::BatchFile;
        return plan;
    }
    // A console program has no system version; a DOS program is one, too.
    const std::uint32_t signature = file.executableType & 0xFFFF;
    const bool console = (file.executableType >> 16) == 0 &&
                         (signature == kNtSignature || signature == kDosSignature);
    if (console && (extension == ".exe" || extension == ".com"))
        plan.way = StartWay::ConsoleProgram;
    return plan;
}

}  // namespace taktomat::platform
