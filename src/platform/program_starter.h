#pragma once

#include <cstdint>
#include <string>

namespace taktomat::platform {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts the program whose command line is `commandLine`, unchanged and unquoted, with
    // the show-window value given; returns at once with a task number (0 when it failed).
    virtual std::int32_t start(const std::string& commandLine, int showWindow) = 0;
};

}  // namespace taktomat::platform
