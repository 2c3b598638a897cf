#include "image.h"

#include <cstddef>
#include <stdexcept>

namespace icongen {

namespace {

std::uint8_t mixChannel(int under, int over, int coverage) {
    const int sum = under * (kFullCoverage - coverage) + over * coverage;
    return static_cast<std::uint8_t>((sum + kFullCoverage / 2) / kFullCoverage);
}

}  // namespace

Rgb blend(Rgb under, Rgb over, int coverage) {
    return {mixChannel(under.r, over.r, coverage), mixChannel(under.g, over.g, coverage),
            mixChannel(under.b, over.b, coverage)};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width * height), fill),
      transparent_(static_cast<std::size_t>(width * height), 0) {}

int Image::index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the image");
    }
    return y * width_ + x;
}

}  // namespace icongen
