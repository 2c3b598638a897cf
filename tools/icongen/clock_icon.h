#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace icongen {

// The face in the true-colour images and in the 8-bit one, whose palette wants pure colours.
struct FaceColours {
    Rgb trueColour;
    Rgb paletted;
};

inline constexpr FaceColours kWhiteFace{{255, 255, 255}, {255, 255, 255}};
inline constexpr FaceColours kGreenFace{{18, 255, 0}, {0, 255, 0}};

// One clock icon with its hand at `hour` (0 for 12 o'clock): the four images that every
// icon of the utility carries, 16 x 16 first.
std::vector<std::uint8_t> encodeClockIcon(const FaceColours& face, int hour);

}  // namespace icongen
