#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace icongen {

// A plain 24-bit .bmp file of the image; the mask is not stored.
std::vector<std::uint8_t> encodeBitmap(const Image& image);

}  // namespace icongen
