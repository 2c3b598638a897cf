#include "ico_writer.h"

#include <algorithm>
#include <stdexcept>

#include "byte_buffer.h"
#include "dib.h"

namespace icongen {

namespace {

constexpr int kPaletteSize = 256;

// Colours in the order they are first met, top row first, so the palette never depends on
// anything but the picture.
std::vector<Rgb> collectPalette(const Image& image) {
    std::vector<Rgb> palette;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb colour = image.pixel(x, y);
            if (std::find(palette.begin(), palette.end(), colour) == palette.end()) {
                palette.push_back(colour);
            }
        }
    }
    if (palette.size() > kPaletteSize) {
        throw std::invalid_argument("more than 256 colours in an 8-bit image");
    }
    return palette;
}

std::vector<std::uint8_t> encodeImage(const IconImage& entry) {
    const Image& image = entry.image;
    const int bpp = entry.bitsPerPixel;
    const auto xorBytes =
        static_cast<std::uint32_t>(dibRowBytes(image.width(), bpp) * image.height());
    const auto andBytes =
        static_cast<std::uint32_t>(dibRowBytes(image.width(), 1) * image.height());
    ByteBuffer out;
    // An icon's header counts the colour rows and the mask rows together.
    appendInfoHeader(out, image.width(), image.height() * 2, bpp, xorBytes + andBytes);
    if (bpp == 8) {
        const std::vector<Rgb> palette = collectPalette(image);
        for (const Rgb& colour : palette) {
            out.u8(colour.b);
            out.u8(colour.g);
            out.u8(colour.r);
            out.u8(0);
        }
        out.zeros((kPaletteSize - palette.size()) * 4);
        appendIndexedRows(out, image, palette);
    } else {
        appendTrueColourRows(out, image, bpp);
    }
    appendMaskRows(out, image);
    return out.bytes();
}

}  // namespace

std::vector<std::uint8_t> encodeIcon(const std::vector<IconImage>& images) {
    constexpr std::size_t kDirectoryBytes = 6;
    constexpr std::size_t kEntryBytes = 16;

    std::vector<std::vector<std::uint8_t>> encoded;
    for (const IconImage& entry : images) {
        if (entry.image.width() > 256 || entry.image.height() > 256) {
            throw std::invalid_argument("icon images are at most 256 pixels");
        }
        encoded.push_back(encodeImage(entry));
    }

    ByteBuffer out;
    out.u16(0);
    out.u16(1);  // icon, not cursor
    out.u16(static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(kDirectoryBytes + kEntryBytes * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& image = images[i].image;
        out.u8(static_cast<std::uint8_t>(image.width() % 256));  // 0 stands for 256
        out.u8(static_cast<std::uint8_t>(image.height() % 256));
        out.u8(0);  // colour count: 0 at 8 bits and above
        out.u8(0);
        out.u16(1);
        out.u16(static_cast<std::uint16_t>(images[i].bitsPerPixel));
        out.u32(static_cast<std::uint32_t>(encoded[i].size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& bytes : encoded) {
        out.append(bytes);
    }
    return out.bytes();
}

}  // namespace icongen
