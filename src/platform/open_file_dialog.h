#pragma once

#include <cstdint>
#include <string>

namespace taktomat::platform {

inline constexpr int kOpenFileCancelled = 32755;

// The options of the dialog, with the values of the Windows common dialog.
namespace open_file_flag {
inline constexpr std::uint32_t kHideReadOnly = 0x4;
inline constexpr std::uint32_t kFileMustExist = 0x1000;
inline constexpr std::uint32_t kExplorer = 0x80000;
inline constexpr std::uint32_t kLongNames = 0x200000;
}  // namespace open_file_flag

struct OpenFileOptions {
    // Description and pattern pairs separated by vertical bars.
    std::string filter;
    std::string title;
    std::uint32_t flags = 0;
    bool cancelError = false;
};

struct OpenFileOutcome {
    // 0 on a choice; kOpenFileCancelled on cancel when cancelError is set; else the failure.
    int errorNumber = 0;
    std::string errorDescription;
};

// The open-file common dialog. Like a dialog control it remembers the file chosen last and
// opens with it preselected.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    virtual OpenFileOutcome showOpen(const OpenFileOptions& options) = 0;
    // The full path of the file chosen last, or the empty text before any choice.
    virtual std::string fileName() const = 0;
};

}  // namespace taktomat::platform
