#include "clock_dial.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace icongen {

namespace {

constexpr Rgb kBlack{0, 0, 0};

// sin(hour x 30 degrees) in units of 1/65536, so that every build turns the hand alike;
// the cosine is the same table three hours on.
constexpr std::int64_t kUnit = 65536;
constexpr std::array<std::int64_t, 12> kSine{0, 32768,  56756,  65536,  56756,  32768,
                                             0, -32768, -56756, -65536, -56756, -32768};

std::int64_t sine(int hour) {
    return kSine[static_cast<std::size_t>(hour % 12)];
}
std::int64_t cosine(int hour) {
    return sine(hour + 3);
}

// Rounds numerator / denominator (denominator > 0) to the nearest integer, halves away
// from zero, so the dial stays symmetric.
std::int64_t roundedDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

// A straight piece of the hand: from `from` to `to` along it and `halfWidth` either side,
// all in half pixels measured from the centre of the dial's middle pixel.
struct HandPiece {
    int from;
    int to;
    int halfWidth;
};

struct DialGeometry {
    int size;
    int centre;        // the middle pixel, in both directions
    int discLimit;     // a pixel belongs to the disc when dx*dx + dy*dy is at most this
    int faceLimit;     // ... and to the face inside the rim when at most this
    int mainMarkFrom;  // the strokes at 12, 3, 6 and 9 o'clock, in pixels from the centre
    int mainMarkTo;
    int minorMarkRadiusHalves;  // 0: no marks at the other hours
    std::vector<HandPiece> hand;
};

// The outlines are round discs 31 and 15 pixels across, clear of the last row and column:
// 749 of the 1024 pixels and 185 of the 256 lie on them.
DialGeometry geometryFor(DialSize size) {
    if (size == DialSize::Large) {
        return {
            .size = 32,
            .centre = 15,
            .discLimit = 234,
            // The rim: 3 pixels along the axes, 3 to 4 across each row and column but for the
            // flat ends of the outline; the marks between the hours stay clear of it.
            .faceLimit = 157,
            .mainMarkFrom = 9,
            .mainMarkTo = 12,
            .minorMarkRadiusHalves = 23,
            // 3 pixels wide for 8, then a 1-pixel tip of 3 that reaches into the marks.
            .hand = {{-1, 15, 3}, {15, 21, 1}},
        };
    }
    return {
        .size = 16,
        .centre = 7,
        .discLimit = 58,
        .faceLimit = 34,
        .mainMarkFrom = 4,
        .mainMarkTo = 5,
        .minorMarkRadiusHalves = 0,
        // Long enough to cover the mark at its hour.
        .hand = {{-1, 11, 1}},
    };
}

constexpr int kSamplesPerAxis = 16;
// Sample positions are odd multiples of 1/32 pixel; hand edges fall on half pixels, so a
// hand along an axis covers each pixel either fully or not at all and stays crisp.
constexpr std::int64_t kSampleUnitsPerHalfPixel = 16;

int handCoverage(const DialGeometry& geometry, int hour, int dx, int dy) {
    const std::int64_t s = sine(hour);
    const std::int64_t c = cosine(hour);
    int covered = 0;
    for (int j = 0; j < kSamplesPerAxis; ++j) {
        const std::int64_t sy = 32 * dy + 2 * j - 15;
        for (int i = 0; i < kSamplesPerAxis; ++i) {
            const std::int64_t sx = 32 * dx + 2 * i - 15;
            // Along the hand (towards its tip) and across it, scaled by kUnit.
            const std::int64_t along = sx * s - sy * c;
            const std::int64_t across = sx * c + sy * s;
            for (const HandPiece& piece : geometry.hand) {
                const std::int64_t scale = kSampleUnitsPerHalfPixel * kUnit;
                const std::int64_t width = piece.halfWidth * scale;
                if (along > piece.from * scale && along < piece.to * scale && across > -width &&
                    across < width) {
                    ++covered;
                    break;
                }
            }
        }
    }
    // A one-pixel line at an angle covers no pixel fully and reads as pink; weighting the
    // coverage by half again keeps its core the hand's red. Full or empty pixels stay so.
    constexpr int kSamples = kSamplesPerAxis * kSamplesPerAxis;
    return std::min(kFullCoverage, covered * kFullCoverage * 3 / (2 * kSamples));
}

void drawMarks(Image& image, const DialGeometry& geometry) {
    for (int hour = 0; hour < 12; ++hour) {
        const std::int64_t s = sine(hour);
        const std::int64_t c = cosine(hour);
        if (hour % 3 == 0) {
            for (int d = geometry.mainMarkFrom; d <= geometry.mainMarkTo; ++d) {
                const auto dx = static_cast<int>(d * s / kUnit);
                const auto dy = static_cast<int>(-d * c / kUnit);
                image.setPixel(geometry.centre + dx, geometry.centre + dy, kBlack);
            }
        } else if (geometry.minorMarkRadiusHalves > 0) {
            const std::int64_t r = geometry.minorMarkRadiusHalves;
            const auto dx = static_cast<int>(roundedDiv(r * s, 2 * kUnit));
            const auto dy = static_cast<int>(roundedDiv(-r * c, 2 * kUnit));
            image.setPixel(geometry.centre + dx, geometry.centre + dy, kBlack);
        }
    }
}

}  // namespace

Image drawDial(DialSize size, int hour, const DialColours& colours) {
    if (hour < 0 || hour > 11) {
        throw std::invalid_argument("hour out of range");
    }
    const DialGeometry geometry = geometryFor(size);
    Image image(geometry.size, geometry.size, colours.surround.value_or(kBlack));

    for (int y = 0; y < geometry.size; ++y) {
        for (int x = 0; x < geometry.size; ++x) {
            const int dx = x - geometry.centre;
            const int dy = y - geometry.centre;
            const int distanceSquared = dx * dx + dy * dy;
            if (distanceSquared > geometry.discLimit) {
                image.setTransparent(x, y, !colours.surround.has_value());
            } else {
                image.setPixel(x, y, distanceSquared <= geometry.faceLimit ? colours.face : kBlack);
            }
        }
    }

    drawMarks(image, geometry);

    for (int y = 0; y < geometry.size; ++y) {
        for (int x = 0; x < geometry.size; ++x) {
            const int coverage =
                handCoverage(geometry, hour, x - geometry.centre, y - geometry.centre);
            if (coverage > 0) {
                image.setPixel(x, y, blend(image.pixel(x, y), colours.hand, coverage));
            }
        }
    }
    return image;
}

}  // namespace icongen
