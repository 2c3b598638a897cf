// The system's real-time clock in nanoseconds since the Unix epoch, the clock every stamp of
// the benchmark reads (under Wine the host's CLOCK_REALTIME).
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>

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

// The real time at which GetTickCount64 read 0. The tick count moves once per clock tick (10 to
// 16 ms on Windows, 16 ms under Wine), so a reading may lag the real time by up to a tick; a
// schedule begun from it sits that much earlier than the moment it was begun. At each step the
// count is exact but for its truncated milliseconds, so the earliest of a few steps is taken.
inline long long tickCountOrigin() {
    constexpr int kSteps = 8;
    long long origin = LLONG_MAX;
    ULONGLONG last = GetTickCount64();
    for (int seen = 0; seen < kSteps;) {
        const ULONGLONG tick = GetTickCount64();
        if (tick == last) continue;
        origin = std::min(origin, nowNs() - static_cast<long long>(tick) * 1'000'000);
        last = tick;
        ++seen;
    }
    return origin;
}

}  // namespace taktomat::bench
