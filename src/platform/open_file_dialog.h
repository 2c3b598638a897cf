#pragma once

#include <cstdint>
#include <string>

namespace taktomat::platform {

inline constexpr int kOpenFileCancelled = 32755;

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
