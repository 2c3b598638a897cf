#pragma once

#include <cstdint>
#include <string>

#include "platform/icons.h"
#include "scheduler/run_state.h"

namespace taktomat::scheduler {

// The clock frame (1 to 12) for the part of the pass that has elapsed before this tick, or 0
// when the pass is complete and the main icon shows: frame k while
// (k - 1) * maxsekunden <= 12 * sekunde < k * maxsekunden.
int progressFrame(std::int32_t sekunde, std::int32_t maxsekunden);

// "4s bis Programmstart", with ", Durchlauf 1/3" when the run has a pass limit. While the last
// pass end was left out because the program still ran: "4s, Durchlauf 1/3, Start ausgelassen".
std::string progressText(const RunState& state, bool leftOut = false);
// While the session is ending: "4s, Durchlauf 1/3, Start angehalten", the pass part only with a
// limit as above.
std::string heldLaunchesText(const RunState& state);

// What one tick shows, and whether it ends the pass with a launch.
struct TickPlan {
    std::string text;
    platform::IconId image;
    bool passOver;
};
TickPlan planTick(const RunState& state, bool leftOut = false);

// The run state after a tick: the next second, or after a pass the first second again with
// the pass counted when the run has a limit. True when that was the last pass.
bool advance(RunState& state, const TickPlan& plan);
// Counts a pass that ended when the run has a limit; the second stays where it is. True when
// that was the last pass.
bool countPass(RunState& state);

// Moves the run state on past `ticks` ticks that are not shown, as a wake-up after a stall
// shows only the tick that is due now; no pass is counted. True when one of them ended a pass.
bool skipTicks(RunState& state, std::int64_t ticks);

}  // namespace taktomat::scheduler
