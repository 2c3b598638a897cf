#pragma once

#include <memory>
#include <string>
#include <utility>

namespace taktomat::platform {

// The process a start created, watched without ever waiting for it.
class StartedProgram {
public:
    virtual ~StartedProgram() = default;
    // Looks once and returns at once: true when the program has ended.
    virtual bool hasEnded() const = 0;
};

struct StartOutcome {
    // A constructor rather than an aggregate, so that an outcome without a program needs none.
    StartOutcome(bool started, std::string errorText,
                 std::unique_ptr<StartedProgram> program = nullptr)
        : started(started), errorText(std::move(errorText)), program(std::move(program)) {}

    bool started = false;
    // The system's own words for why the start failed; empty when it started.
    std::string errorText;
    // Nothing when the start created no process to watch (a document handed to a program
    // that was already open, say).
    std::unique_ptr<StartedProgram> program;
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
