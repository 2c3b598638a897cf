#include "clock_icon.h"

#include "clock_dial.h"
#include "ico_writer.h"

namespace icongen {

namespace {

constexpr Rgb kHand{255, 66, 66};
constexpr Rgb kPalettedHand{255, 80, 80};
// The 8-bit image has no transparency; its corners are a light grey that passes on most
// backgrounds.
constexpr Rgb kPalettedSurround{227, 227, 227};

}  // namespace

std::vector<std::uint8_t> encodeClockIcon(const FaceColours& face, int hour) {
    const DialColours masked{face.trueColour, kHand, std::nullopt};
    const DialColours paletted{face.paletted, kPalettedHand, kPalettedSurround};
    const Image large = drawDial(DialSize::Large, hour, masked);
    return encodeIcon({
        {drawDial(DialSize::Small, hour, masked), 24},
        {drawDial(DialSize::Large, hour, paletted), 8},
        {large, 24},
        {large, 32},
    });
}

}  // namespace icongen
