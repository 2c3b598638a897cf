#pragma once

#include <cstdint>
#include <vector>

#include "byte_buffer.h"
#include "image.h"

namespace icongen {

// Bytes in one stored row of a device-independent bitmap: rows end on a 32-bit boundary.
int dibRowBytes(int width, int bitsPerPixel);

// BITMAPINFOHEADER, uncompressed, with the palette size left to the bit depth.
void appendInfoHeader(ByteBuffer& out, int width, int height, int bitsPerPixel,
                      std::uint32_t imageBytes);

// The colours as 24-bit (BGR) or 32-bit (BGR and a zero alpha) rows, bottom row first.
void appendTrueColourRows(ByteBuffer& out, const Image& image, int bitsPerPixel);

// The colours as 8-bit palette indexes, bottom row first; the palette is passed in.
void appendIndexedRows(ByteBuffer& out, const Image& image, const std::vector<Rgb>& palette);

// The icon's AND mask: one bit per pixel, set where the pixel is transparent.
void appendMaskRows(ByteBuffer& out, const Image& image);

}  // namespace icongen
