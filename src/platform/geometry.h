#pragma once

namespace taktomat::platform {

// The layout is given in twips (1/1440 inch) so that it keeps its proportions at any DPI;
// the window converts to pixels with its current DPI.
inline constexpr int kTwipsPerInch = 1440;

struct TwipsPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// Pixels for a length in twips at the given DPI, rounded to the nearest pixel.
constexpr int twipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + (scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) /
                            kTwipsPerInch);
}

}  // namespace taktomat::platform
