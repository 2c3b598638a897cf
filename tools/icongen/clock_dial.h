#pragma once

#include <optional>

#include "image.h"

namespace icongen {

enum class DialSize {
    Small,  // 16 x 16
    Large,  // 32 x 32
};

struct DialColours {
    Rgb face;
    Rgb hand;
    // Colour of the corners outside the disc; without one they are black and transparent.
    std::optional<Rgb> surround;
};

// The clock with its hand at `hour` (0 for 12 o'clock, 1 to 11 clockwise from there).
Image drawDial(DialSize size, int hour, const DialColours& colours);

}  // namespace icongen
