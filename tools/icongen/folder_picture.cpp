#include "folder_picture.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace icongen {

namespace {

constexpr int kSize = 18;

// '.' background, 'K' outline and arrow, 'O' the front flap, 'C' the back wall, whose
// yellow and white alternate like a checkerboard.
constexpr std::array<std::string_view, kSize> kArt{
    "..................",  //
    "..................",  //
    "...........KKK....",  //
    "..........K...K.K.",  //
    ".........K.....KK.",  //
    "..............KKK.",  //
    ".KKKK.............",  //
    "KCCCCK............",  //
    "KCCCCCKKKKKKK.....",  //
    "KCCCCCCCCCCCK.....",  //
    "KCCCCKKKKKKKKKKK..",  //
    "KCCCKOOOOOOOOOOK..",  //
    "KCCKOOOOOOOOOOK...",  //
    "KCCKOOOOOOOOOOK...",  //
    "KCKOOOOOOOOOOK....",  //
    "KCKOOOOOOOOOOK....",  //
    "KKKKKKKKKKKKK.....",  //
    "..................",  //
};

constexpr Rgb kBackground{224, 223, 227};
constexpr Rgb kOutline{0, 0, 0};
constexpr Rgb kFlap{128, 128, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

Rgb colourAt(int x, int y) {
    switch (kArt[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
        case '.':
            return kBackground;
        case 'K':
            return kOutline;
        case 'O':
            return kFlap;
        case 'C':
            return (x + y) % 2 == 0 ? kYellow : kWhite;
        default:
            throw std::logic_error("unknown colour in the folder art");
    }
}

}  // namespace

Image folderPicture() {
    Image image(kSize, kSize, kBackground);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            image.setPixel(x, y, colourAt(x, y));
        }
    }
    return image;
}

}  // namespace icongen
