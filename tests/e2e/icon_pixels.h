// The product's small icons as their pixels, and whether the screen shows one of them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace taktomat::e2e {

// A 16x16 image as Windows picks it from one of the product's icon groups: colours and which
// pixels are opaque, top row first.
struct SmallIcon {
    std::string problem;  // empty when the image was read
    std::vector<COLORREF> colour;
    std::vector<bool> opaque;
};

SmallIcon readProductSmallIcon(int group);

// True when the screen shows the icon's opaque pixels somewhere in the area, each colour
// channel within a small tolerance.
bool screenShowsIcon(const RECT& area, const SmallIcon& icon);

}  // namespace taktomat::e2e
