#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace taktomat::platform {
namespace {

struct TwipsCase {
    int twips;
    int dpi;
    int pixels;
};

TEST(TwipsToPixels, ConvertsWithTheWindowsDpiRoundingToNearest) {
    const TwipsCase cases[] = {
        {6000, 96, 400},  {1680, 96, 112},  {6000, 120, 500}, {1680, 120, 140}, {6000, 144, 600},
        {1680, 144, 168}, {6000, 192, 800}, {1680, 192, 224}, {15, 96, 1},      {7, 96, 0},
        {8, 96, 1},       {45, 144, 5},     {0, 144, 0},      {-15, 96, -1},
    };
    for (const TwipsCase& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

}  // namespace
}  // namespace taktomat::platform
