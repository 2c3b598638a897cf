#pragma once

#include <chrono>

namespace taktomat::platform {

// A monotonic clock: never jumps with the wall clock, daylight saving or the user's changes.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds now() const = 0;
};

}  // namespace taktomat::platform
