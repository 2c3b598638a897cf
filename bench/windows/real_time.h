// The system's real-time clock in nanoseconds since the Unix epoch, the clock every stamp of
// the benchmark reads (under Wine the host's CLOCK_REALTIME).
#pragma once

#include <windows.h>

namespace taktomat::bench {

// FILETIME counts 100 ns steps since 1601; the Unix epoch lies this many steps later.
inline constexpr unsigned long long kUnixEpochIn100ns = 116444736000000000ULL;

inline long long unixNanoseconds(const FILETIME& time) {
    const unsigned long long steps =
        (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<long long>(steps - kUnixEpochIn100ns) * 100;
}

inline long long nowNs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return unixNanoseconds(now);
}

}  // namespace taktomat::bench
