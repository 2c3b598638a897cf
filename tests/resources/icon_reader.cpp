#include "icon_reader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace icontest {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

class Cursor {
public:
    Cursor(const Bytes& bytes, std::size_t position) : bytes_(bytes), position_(position) {}

    std::uint8_t u8() {
        require(position_ < bytes_.size(), "file truncated");
        return bytes_[position_++];
    }
    std::uint16_t u16() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    void seek(std::size_t position) {
        require(position <= bytes_.size(), "file truncated");
        position_ = position;
    }
    std::size_t position() const { return position_; }

private:
    const Bytes& bytes_;
    std::size_t position_;
};

std::size_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

InfoHeader readInfoHeader(Cursor& in) {
    InfoHeader header;
    header.size = in.u32();
    header.width = in.i32();
    header.height = in.i32();
    header.planes = in.u16();
    header.bitCount = in.u16();
    header.compression = in.u32();
    header.sizeImage = in.u32();
    in.u32();
    in.u32();
    header.colourUsed = in.u32();
    in.u32();
    require(header.size == 40, "not a BITMAPINFOHEADER");
    require(header.compression == 0, "compressed bitmap");
    return header;
}

void readPalette(Cursor& in, Picture& picture) {
    if (picture.header.bitCount == 8) {
        const std::uint32_t count =
            picture.header.colourUsed == 0 ? 256 : picture.header.colourUsed;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t b = in.u8();
            const std::uint8_t g = in.u8();
            const std::uint8_t r = in.u8();
            in.u8();
            picture.palette.push_back({r, g, b});
        }
    }
}

// The colour rows, stored bottom row first.
void readColours(Cursor& in, Picture& picture) {
    const int bpp = picture.header.bitCount;
    require(bpp == 8 || bpp == 24 || bpp == 32, "unsupported bit depth");
    const auto pixels = static_cast<std::size_t>(picture.width * picture.height);
    picture.colours.assign(pixels, Rgb{});
    if (bpp == 32) {
        picture.alpha.assign(pixels, 0);
    }
    const std::size_t stride = rowBytes(picture.width, bpp);
    for (int row = 0; row < picture.height; ++row) {
        const int y = picture.height - 1 - row;
        const std::size_t start = in.position();
        for (int x = 0; x < picture.width; ++x) {
            const auto index = static_cast<std::size_t>(y * picture.width + x);
            if (bpp == 8) {
                const std::uint8_t entry = in.u8();
                require(entry < picture.palette.size(), "palette index out of range");
                picture.colours[index] = picture.palette[entry];
            } else {
                const std::uint8_t b = in.u8();
                const std::uint8_t g = in.u8();
                const std::uint8_t r = in.u8();
                picture.colours[index] = {r, g, b};
                if (bpp == 32) {
                    picture.alpha[index] = in.u8();
                }
            }
        }
        in.seek(start + stride);
    }
}

void readMask(Cursor& in, Picture& picture) {
    picture.transparent.assign(static_cast<std::size_t>(picture.width * picture.height), 0);
    const std::size_t stride = rowBytes(picture.width, 1);
    for (int row = 0; row < picture.height; ++row) {
        const int y = picture.height - 1 - row;
        const std::size_t start = in.position();
        std::uint8_t bits = 0;
        for (int x = 0; x < picture.width; ++x) {
            if (x % 8 == 0) {
                bits = in.u8();
            }
            picture.transparent[static_cast<std::size_t>(y * picture.width + x)] =
                (bits >> (7 - x % 8)) & 1;
        }
        in.seek(start + stride);
    }
}

}  // namespace

IconFile readIconFile(const std::filesystem::path& path) {
    const Bytes bytes = readAll(path);
    Cursor in(bytes, 0);
    IconFile file;
    file.reserved = in.u16();
    file.type = in.u16();
    const int count = in.u16();
    for (int i = 0; i < count; ++i) {
        IconDirectoryEntry entry;
        entry.width = in.u8();
        entry.height = in.u8();
        entry.colourCount = in.u8();
        entry.reserved = in.u8();
        entry.planes = in.u16();
        entry.bitCount = in.u16();
        entry.bytesInResource = in.u32();
        entry.imageOffset = in.u32();
        file.entries.push_back(entry);
    }
    for (const IconDirectoryEntry& entry : file.entries) {
        require(entry.imageOffset + static_cast<std::size_t>(entry.bytesInResource) <= bytes.size(),
                "image beyond the end of the file");
        Cursor image(bytes, entry.imageOffset);
        Picture picture;
        picture.header = readInfoHeader(image);
        picture.width = picture.header.width;
        // An icon image stores colour rows and mask rows, hence the doubled height.
        picture.height = picture.header.height / 2;
        readPalette(image, picture);
        readColours(image, picture);
        readMask(image, picture);
        picture.encodedBytes = image.position() - entry.imageOffset;
        file.images.push_back(std::move(picture));
    }
    return file;
}

BitmapFile readBitmapFile(const std::filesystem::path& path) {
    const Bytes bytes = readAll(path);
    Cursor in(bytes, 0);
    BitmapFile file;
    require(in.u8() == 'B' && in.u8() == 'M', "not a bitmap file");
    file.fileSize = in.u32();
    in.u32();
    file.pixelOffset = in.u32();
    file.actualSize = bytes.size();
    file.picture.header = readInfoHeader(in);
    file.picture.width = file.picture.header.width;
    file.picture.height = file.picture.header.height;
    require(file.picture.height > 0, "top-down bitmaps are not expected here");
    readPalette(in, file.picture);
    in.seek(file.pixelOffset);
    readColours(in, file.picture);
    file.picture.encodedBytes = in.position();
    return file;
}

}  // namespace icontest
