#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// A reader of .ico and .bmp files written for the tests alone, so that they do not trust the
// generator's own encoder.
namespace icontest {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The fields of a BITMAPINFOHEADER.
struct InfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t colourUsed = 0;
};

// Decoded pixels, top row first.
struct Picture {
    InfoHeader header;
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<Rgb> colours;
    std::vector<std::uint8_t> alpha;        // 32-bit images only
    std::vector<std::uint8_t> transparent;  // icon images only: the AND mask, 1 = transparent
    std::size_t encodedBytes = 0;           // header, palette, colour rows and mask rows

    Rgb at(int x, int y) const { return colours[static_cast<std::size_t>(y * width + x)]; }
    bool transparentAt(int x, int y) const {
        return transparent[static_cast<std::size_t>(y * width + x)] != 0;
    }
    std::uint8_t alphaAt(int x, int y) const {
        return alpha[static_cast<std::size_t>(y * width + x)];
    }
};

struct IconDirectoryEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int reserved = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytesInResource = 0;
    std::uint32_t imageOffset = 0;
};

struct IconFile {
    int reserved = 0;
    int type = 0;
    std::vector<IconDirectoryEntry> entries;
    std::vector<Picture> images;
};

struct BitmapFile {
    std::uint32_t fileSize = 0;
    std::uint32_t pixelOffset = 0;
    std::size_t actualSize = 0;
    Picture picture;
};

// Both throw std::runtime_error on a file that is missing, truncated or of an unknown kind.
IconFile readIconFile(const std::filesystem::path& path);
BitmapFile readBitmapFile(const std::filesystem::path& path);

}  // namespace icontest
