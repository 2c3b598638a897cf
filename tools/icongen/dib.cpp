#include "dib.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace icongen {

namespace {

void padRow(ByteBuffer& out, std::size_t rowStart, int rowBytes) {
    out.zeros(rowStart + static_cast<std::size_t>(rowBytes) - out.size());
}

}  // namespace

int dibRowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void appendInfoHeader(ByteBuffer& out, int width, int height, int bitsPerPixel,
                      std::uint32_t imageBytes) {
    out.u32(40);
    out.i32(width);
    out.i32(height);
    out.u16(1);
    out.u16(static_cast<std::uint16_t>(bitsPerPixel));
    out.u32(0);  // BI_RGB
    out.u32(imageBytes);
    out.i32(0);
    out.i32(0);
    out.u32(0);  // a full palette for the bit depth
    out.u32(0);
}

void appendTrueColourRows(ByteBuffer& out, const Image& image, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        throw std::invalid_argument("true-colour rows are 24 or 32 bits per pixel");
    }
    const int rowBytes = dibRowBytes(image.width(), bitsPerPixel);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const Rgb colour = image.pixel(x, y);
            out.u8(colour.b);
            out.u8(colour.g);
            out.u8(colour.r);
            if (bitsPerPixel == 32) {
                out.u8(0);  // the mask alone decides what shows through
            }
        }
        padRow(out, rowStart, rowBytes);
    }
}

void appendIndexedRows(ByteBuffer& out, const Image& image, const std::vector<Rgb>& palette) {
    const int rowBytes = dibRowBytes(image.width(), 8);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const auto found = std::find(palette.begin(), palette.end(), image.pixel(x, y));
            if (found == palette.end()) {
                throw std::invalid_argument("colour missing from the palette");
            }
            out.u8(static_cast<std::uint8_t>(std::distance(palette.begin(), found)));
        }
        padRow(out, rowStart, rowBytes);
    }
}

void appendMaskRows(ByteBuffer& out, const Image& image) {
    const int rowBytes = dibRowBytes(image.width(), 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x0 = 0; x0 < image.width(); x0 += 8) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8 && x0 + bit < image.width(); ++bit) {
                if (image.transparent(x0 + bit, y)) {
                    bits = static_cast<std::uint8_t>(bits | (0x80 >> bit));
                }
            }
            out.u8(bits);
        }
        padRow(out, rowStart, rowBytes);
    }
}

}  // namespace icongen
