#pragma once

namespace taktomat::platform {

// What a process end that cannot stop the thread at once (a test platform's) throws to
// unwind the handlers that led to it. Code that catches errors of its own steps lets it pass:
// it is no error.
struct ProcessEnding {};

class Process {
public:
    virtual ~Process() = default;
    // Ends the process at once: no further event is delivered, nothing else runs.
    [[noreturn]] virtual void endProcess() = 0;
};

}  // namespace taktomat::platform
