// The screen's pixels, the product's small icons as pixels, and whether the screen shows one.
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

// What the screen shows in an area, top row first, each pixel as 0x00RRGGBB.
std::vector<DWORD> screenPixels(const RECT& area);

// Writes what the whole screen shows to a bitmap file named NAME in the working folder, for a
// test that failed on what it saw; returns the file's full name, empty if none was written.
std::wstring saveScreen(const wchar_t* name);

// True when the screen shows the icon's opaque pixels somewhere in the area, each colour
// channel within a small tolerance.
bool screenShowsIcon(const RECT& area, const SmallIcon& icon);

}  // namespace taktomat::e2e
