#pragma once

#include <cstdint>

namespace taktomat::scheduler {

// Where a run stands. Set by the start, advanced by the countdown, left as it is by a stop.
struct RunState {
    // Length of one pass in seconds; at least 1 during a run.
    std::int32_t maxsekunden = 0;
    // 1-based number of the tick about to be handled within the pass.
    std::int32_t sekunde = 0;
    // Maximum number of passes; below 1 means endless.
    std::int32_t maxdurchlaeufe = 0;
    // Passes completed in this run.
    std::int32_t durchlauf = 0;
};

}  // namespace taktomat::scheduler
