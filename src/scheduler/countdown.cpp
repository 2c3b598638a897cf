#include "scheduler/countdown.h"

namespace taktomat::scheduler {

int progressFrame(std::int32_t sekunde, std::int32_t maxsekunden) {
    if (sekunde >= maxsekunden) return 0;
    // In 64 bits, where 12 * sekunde cannot overflow; the quotient is below 12 here.
    return static_cast<int>(12 * static_cast<std::int64_t>(sekunde) / maxsekunden) + 1;
}

namespace {

std::string passPart(const RunState& state) {
    if (state.maxdurchlaeufe <= 0) return {};
    return ", Durchlauf " + std::to_string(static_cast<std::int64_t>(state.durchlauf) + 1) + "/" +
           std::to_string(state.maxdurchlaeufe);
}

std::string secondsLeft(const RunState& state) {
    return std::to_string(static_cast<std::int64_t>(state.maxsekunden) - state.sekunde) + "s";
}

}  // namespace

std::string progressText(const RunState& state, bool leftOut) {
    // A note takes the place of the words on the program's start, so that the text still fits
    // the tip with its NUL at the longest numbers (63 characters).
    if (leftOut) return secondsLeft(state) + passPart(state) + ", Start ausgelassen";
    return secondsLeft(state) + " bis Programmstart" + passPart(state);
}

std::string heldLaunchesText(const RunState& state) {
    return secondsLeft(state) + passPart(state) + ", Start angehalten";
}

TickPlan planTick(const RunState& state, bool leftOut) {
    const int frame = progressFrame(state.sekunde, state.maxsekunden);
    return {progressText(state, leftOut),
            frame == 0 ? platform::IconId::Main : platform::frameIcon(frame),
            state.sekunde >= state.maxsekunden};
}

bool advance(RunState& state, const TickPlan& plan) {
    // The pass's last second is its end: counting on past it would overflow at the longest
    // interval, so the second is never raised beyond it.
    if (!plan.passOver) {
        ++state.sekunde;
        return false;
    }
    state.sekunde = 1;
    return countPass(state);
}

bool countPass(RunState& state) {
    if (state.maxdurchlaeufe <= 0) return false;
    ++state.durchlauf;
    return state.durchlauf >= state.maxdurchlaeufe;
}

bool skipTicks(RunState& state, std::int64_t ticks) {
    // Counted from 0 and in 64 bits, where the longest pass cannot overflow.
    const std::int64_t reached = static_cast<std::int64_t>(state.sekunde) - 1 + ticks;
    state.sekunde = static_cast<std::int32_t>(reached % state.maxsekunden + 1);
    return reached >= state.maxsekunden;
}

}  // namespace taktomat::scheduler
