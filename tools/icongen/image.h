#pragma once

#include <cstdint>
#include <vector>

namespace icongen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Coverage of a pixel by a shape, in 256ths; full coverage is kFullCoverage.
inline constexpr int kFullCoverage = 256;

// Lays `over` on `under` with the given coverage; integer arithmetic, rounded to nearest.
Rgb blend(Rgb under, Rgb over, int coverage);

// A picture together with the icon mask that says which pixels let the background through.
class Image {
public:
    Image(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }

    Rgb pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, Rgb colour) { pixels_[index(x, y)] = colour; }

    bool transparent(int x, int y) const { return transparent_[index(x, y)] != 0; }
    void setTransparent(int x, int y, bool value) { transparent_[index(x, y)] = value ? 1 : 0; }

private:
    int index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    std::vector<std::uint8_t> transparent_;
};

}  // namespace icongen
