#include "bmp_writer.h"

#include "byte_buffer.h"
#include "dib.h"

namespace icongen {

std::vector<std::uint8_t> encodeBitmap(const Image& image) {
    constexpr std::uint32_t kHeadersBytes = 14 + 40;
    const auto pixelBytes =
        static_cast<std::uint32_t>(dibRowBytes(image.width(), 24) * image.height());

    ByteBuffer out;
    out.u8('B');
    out.u8('M');
    out.u32(kHeadersBytes + pixelBytes);
    out.u16(0);
    out.u16(0);
    out.u32(kHeadersBytes);
    appendInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
    appendTrueColourRows(out, image, 24);
    return out.bytes();
}

}  // namespace icongen
