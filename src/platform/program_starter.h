#pragma once

#include <string>

namespace taktomat::platform {

struct StartOutcome {
    bool started = false;
    // The system's own words for why the start failed; empty when it started.
    std::string errorText;
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts exactly the file at `path` (relative to the current directory), a program
    // directly and any other file with the program it is associated with, with the
    // show-window value given unchanged. Returns once it has started, without waiting for it.
    virtual StartOutcome start(const std::string& path, int showWindow) = 0;
    // Called when a run begins, before its first start is due: whatever the starts need
    // that is not yet there is set up now rather than at the first launch. Nothing by default.
    virtual void prepare() {}
};

}  // namespace taktomat::platform
