#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace icongen {

struct IconImage {
    Image image;
    int bitsPerPixel;  // 8 (with a palette built from the image's colours), 24 or 32
};

// An .ico file holding the images in the given order.
std::vector<std::uint8_t> encodeIcon(const std::vector<IconImage>& images);

}  // namespace icongen
