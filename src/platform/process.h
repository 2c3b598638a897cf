#pragma once

namespace taktomat::platform {

class Process {
public:
    virtual ~Process() = default;
    // Ends the process at once: no further event is delivered, nothing else runs.
    [[noreturn]] virtual void endProcess() = 0;
};

}  // namespace taktomat::platform
