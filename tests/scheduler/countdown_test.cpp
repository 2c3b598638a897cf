#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "scheduler/countdown.h"

namespace taktomat::scheduler {
namespace {

// The frame by the double-precision rule: the first k whose k/12 exceeds the ratio.
int frameByRatio(std::int32_t sekunde, std::int32_t maxsekunden) {
    const double ratio = static_cast<double>(sekunde) / static_cast<double>(maxsekunden);
    if (ratio >= 1) return 0;
    for (int k = 1; k <= 11; ++k) {
        if (static_cast<double>(k) / 12 > ratio) return k;
    }
    return 12;
}

TEST(ProgressFrame, IntegerChoiceEqualsTheRatioRule) {
    for (std::int32_t max = 1; max <= 2000; ++max) {
        for (std::int32_t second = 1; second <= max; ++second) {
            ASSERT_EQ(progressFrame(second, max), frameByRatio(second, max))
                << second << "/" << max;
        }
    }
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::int32_t> any(1, 2147483647);
    for (int i = 0; i < 200000; ++i) {
        std::int32_t max = any(random);
        std::int32_t second = std::uniform_int_distribution<std::int32_t>(1, max)(random);
        ASSERT_EQ(progressFrame(second, max), frameByRatio(second, max)) << second << "/" << max;
    }
    // The extremes of the range and the exact twelfths.
    for (auto [second, max] : {std::pair{1, 2147483647},
                               {2147483646, 2147483647},
                               {2147483647, 2147483647},
                               {178956970, 2147483640},
                               {89478485, 1073741820}}) {
        EXPECT_EQ(progressFrame(second, max), frameByRatio(second, max)) << second << "/" << max;
    }
}

TEST(ProgressText, LongestTextFitsTheTipWithItsNul) {
    const RunState longest{2147483647, 1, 2147483647, 2147483646};
    EXPECT_EQ(progressText(longest),
              "2147483646s bis Programmstart, Durchlauf 2147483647/2147483647");
    EXPECT_EQ(progressText(longest).size(), 62u);
    EXPECT_EQ(progressText(longest, true).size(), 63u) << "with the note of a pass end left out";
    EXPECT_LE(heldLaunchesText(longest).size(), 63u) << heldLaunchesText(longest);
    EXPECT_EQ(progressText({5, 1, 0, 0}), "4s bis Programmstart");
    EXPECT_EQ(progressText({5, 1, -3, 0}), "4s bis Programmstart");
}

TEST(Advance, TheLongestPassEndsWithoutOverflow) {
    RunState state{2147483647, 2147483647, 2, 0};
    const TickPlan plan = planTick(state);
    EXPECT_TRUE(plan.passOver);
    EXPECT_EQ(plan.text, "0s bis Programmstart, Durchlauf 1/2");
    EXPECT_FALSE(advance(state, plan));
    EXPECT_EQ(state.sekunde, 1);
    EXPECT_EQ(state.durchlauf, 1);
}

}  // namespace
}  // namespace taktomat::scheduler
