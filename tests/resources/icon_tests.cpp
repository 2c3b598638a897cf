// Checks the committed icons and the browse button's picture, read back with a reader of
// the tests' own.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "icon_reader.h"

namespace {

using icontest::IconFile;
using icontest::Picture;
using icontest::Rgb;

const std::filesystem::path kResources = TAKTOMAT_RESOURCE_DIR;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreenFace{18, 255, 0};
constexpr Rgb kPureGreen{0, 255, 0};
constexpr Rgb kHand{255, 66, 66};
constexpr Rgb kPalettedHand{255, 80, 80};
constexpr Rgb kSurroundGrey{227, 227, 227};

constexpr int kSmall = 0;     // 16 x 16, 24-bit, masked
constexpr int kPaletted = 1;  // 32 x 32, 8-bit, opaque
constexpr int kMasked24 = 2;  // 32 x 32, 24-bit, masked
constexpr int kMasked32 = 3;  // 32 x 32, 32-bit, masked, alpha 0

struct ImageLayout {
    int size;
    int bitCount;
};
constexpr std::array<ImageLayout, 4> kLayouts{{{16, 24}, {32, 8}, {32, 24}, {32, 32}}};

struct ClockCase {
    const char* file;
    int hour;  // where the hand points: 0 for 12 o'clock
    Rgb face;
    Rgb palettedFace;
};

// The main icon and the twelve progress frames; frame k's hand is at hour k - 1.
const std::vector<ClockCase> kClocks{
    {"taktomat.ico", 0, kGreenFace, kPureGreen}, {"frame01.ico", 0, kWhite, kWhite},
    {"frame02.ico", 1, kWhite, kWhite},          {"frame03.ico", 2, kWhite, kWhite},
    {"frame04.ico", 3, kWhite, kWhite},          {"frame05.ico", 4, kWhite, kWhite},
    {"frame06.ico", 5, kWhite, kWhite},          {"frame07.ico", 6, kWhite, kWhite},
    {"frame08.ico", 7, kWhite, kWhite},          {"frame09.ico", 8, kWhite, kWhite},
    {"frame10.ico", 9, kWhite, kWhite},          {"frame11.ico", 10, kWhite, kWhite},
    {"frame12.ico", 11, kWhite, kWhite},
};

bool isStraight(const ClockCase& clock) {
    return clock.hour % 3 == 0;
}

// The disc fills the image but for its last row and column, so its middle pixel is here.
int centreOf(const Picture& image) {
    return (image.width - 2) / 2;
}

int countTransparent(const Picture& image) {
    return static_cast<int>(std::count(image.transparent.begin(), image.transparent.end(), 1));
}

int countColour(const Picture& image, Rgb colour) {
    return static_cast<int>(std::count(image.colours.begin(), image.colours.end(), colour));
}

// How far a colour lies along the way from the face to the hand (0 face, 1 hand), or a
// negative number when it is not on that way (within rounding).
double handShare(Rgb colour, Rgb face, Rgb hand) {
    const std::array<int, 3> from{face.r, face.g, face.b};
    const std::array<int, 3> to{hand.r, hand.g, hand.b};
    const std::array<int, 3> actual{colour.r, colour.g, colour.b};
    int widest = 0;
    for (int channel = 1; channel < 3; ++channel) {
        if (std::abs(to[channel] - from[channel]) > std::abs(to[widest] - from[widest])) {
            widest = channel;
        }
    }
    const double share =
        static_cast<double>(actual[widest] - from[widest]) / (to[widest] - from[widest]);
    if (share < 0.0 || share > 1.0) {
        return -1.0;
    }
    for (int channel = 0; channel < 3; ++channel) {
        const double expected = from[channel] + share * (to[channel] - from[channel]);
        if (std::abs(expected - actual[channel]) > 1.5) {
            return -1.0;
        }
    }
    return share;
}

class ClockIconTest : public ::testing::TestWithParam<ClockCase> {
protected:
    void SetUp() override { icon_ = icontest::readIconFile(kResources / GetParam().file); }

    const Picture& image(int index) const {
        return icon_.images.at(static_cast<std::size_t>(index));
    }
    Rgb faceOf(int index) const {
        return index == kPaletted ? GetParam().palettedFace : GetParam().face;
    }
    static Rgb handOf(int index) { return index == kPaletted ? kPalettedHand : kHand; }

    // Pixels on the dial that are neither face, black nor hand: the softened hand edge.
    int countBlended(int index) const {
        const Picture& picture = image(index);
        int blended = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const Rgb colour = picture.at(x, y);
                if (picture.transparentAt(x, y) || colour == kBlack || colour == faceOf(index) ||
                    colour == handOf(index) || (index == kPaletted && colour == kSurroundGrey)) {
                    continue;
                }
                ++blended;
            }
        }
        return blended;
    }

    IconFile icon_;
};

TEST_P(ClockIconTest, File_HoldsFourImagesInOrder) {
    EXPECT_EQ(icon_.reserved, 0);
    EXPECT_EQ(icon_.type, 1);
    ASSERT_EQ(icon_.entries.size(), 4u);
    ASSERT_EQ(icon_.images.size(), 4u);
    std::uint32_t expectedOffset = 6 + 16 * 4;
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const auto& entry = icon_.entries[static_cast<std::size_t>(index)];
        const ImageLayout layout = kLayouts[static_cast<std::size_t>(index)];
        EXPECT_EQ(entry.width, layout.size);
        EXPECT_EQ(entry.height, layout.size);
        EXPECT_EQ(entry.bitCount, layout.bitCount);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.colourCount, 0);
        EXPECT_EQ(entry.reserved, 0);
        EXPECT_EQ(entry.imageOffset, expectedOffset);
        expectedOffset += entry.bytesInResource;

        const Picture& picture = image(index);
        EXPECT_EQ(picture.header.width, layout.size);
        EXPECT_EQ(picture.header.height, 2 * layout.size);
        EXPECT_EQ(picture.header.planes, 1);
        EXPECT_EQ(picture.header.bitCount, layout.bitCount);
        EXPECT_EQ(picture.encodedBytes, entry.bytesInResource);
        EXPECT_EQ(picture.palette.size(), layout.bitCount == 8 ? 256u : 0u);
    }
    EXPECT_EQ(expectedOffset, std::filesystem::file_size(kResources / GetParam().file));
}

TEST_P(ClockIconTest, Mask_LeavesOnlyTheCornersOutsideTheDiscTransparent) {
    struct MaskCase {
        int index;
        int transparentPixels;
    };
    const MaskCase cases[] = {{kSmall, 71}, {kPaletted, 0}, {kMasked24, 275}, {kMasked32, 275}};
    for (const MaskCase& mask : cases) {
        SCOPED_TRACE("image " + std::to_string(mask.index + 1));
        const Picture& picture = image(mask.index);
        EXPECT_EQ(countTransparent(picture), mask.transparentPixels);
        if (mask.transparentPixels == 0) {
            continue;
        }
        const int last = picture.width - 1;
        for (int i = 0; i <= last; ++i) {
            EXPECT_TRUE(picture.transparentAt(last, i)) << "last column, row " << i;
            EXPECT_TRUE(picture.transparentAt(i, last)) << "last row, column " << i;
        }
        EXPECT_TRUE(picture.transparentAt(0, 0));
        EXPECT_TRUE(picture.transparentAt(last - 1, 0));
        EXPECT_TRUE(picture.transparentAt(0, last - 1));
        EXPECT_FALSE(picture.transparentAt(centreOf(picture), centreOf(picture)));
        // Black under a set mask bit leaves the background untouched instead of inverting it.
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (picture.transparentAt(x, y)) {
                    EXPECT_EQ(picture.at(x, y), kBlack) << x << "," << y;
                }
            }
        }
    }
}

TEST_P(ClockIconTest, PalettedImage_IsOpaqueWithGreyOutsideTheDisc) {
    const Picture& paletted = image(kPaletted);
    const Picture& masked = image(kMasked24);
    EXPECT_EQ(countTransparent(paletted), 0);
    EXPECT_EQ(countColour(paletted, kSurroundGrey), 275);
    for (int y = 0; y < paletted.height; ++y) {
        for (int x = 0; x < paletted.width; ++x) {
            if (masked.transparentAt(x, y)) {
                EXPECT_EQ(paletted.at(x, y), kSurroundGrey) << x << "," << y;
            }
        }
    }
}

TEST_P(ClockIconTest, ThirtyTwoBitImage_RepeatsTheTwentyFourBitOneWithZeroAlpha) {
    const Picture& deep = image(kMasked32);
    const Picture& masked = image(kMasked24);
    EXPECT_EQ(deep.colours, masked.colours);
    EXPECT_EQ(deep.transparent, masked.transparent);
    ASSERT_EQ(deep.alpha.size(), 32u * 32u);
    EXPECT_TRUE(std::all_of(deep.alpha.begin(), deep.alpha.end(), [](auto a) { return a == 0; }));
}

TEST_P(ClockIconTest, Face_FillsTheCentreRegion) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const Picture& picture = image(index);
        const int c = centreOf(picture);
        const int reach = picture.width == 32 ? 6 : 3;
        std::map<std::tuple<int, int, int>, int> counts;
        int total = 0;
        for (int y = c - reach; y <= c + reach; ++y) {
            for (int x = c - reach; x <= c + reach; ++x) {
                const Rgb colour = picture.at(x, y);
                ++counts[{colour.r, colour.g, colour.b}];
                ++total;
            }
        }
        const Rgb face = faceOf(index);
        const int faces = counts[{face.r, face.g, face.b}];
        EXPECT_GT(faces * 3, total * 2) << faces << " of " << total;
    }
}

TEST_P(ClockIconTest, Hand_HasItsOwnRed) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const int present = countColour(image(index), handOf(index));
        if (isStraight(GetParam())) {
            // 3 pixels wide for 8, then a tip of 3; the small hand is one pixel by 6.
            EXPECT_EQ(present, index == kSmall ? 6 : 27);
        } else {
            EXPECT_GE(present, index == kSmall ? 3 : 18);
        }
    }
}

TEST_P(ClockIconTest, Hand_PointsToItsHour) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const Picture& picture = image(index);
        const int c = centreOf(picture);
        double weight = 0.0;
        double sumX = 0.0;
        double sumY = 0.0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (picture.transparentAt(x, y)) {
                    continue;
                }
                const double share = handShare(picture.at(x, y), faceOf(index), handOf(index));
                if (share > 0.0) {
                    weight += share;
                    sumX += share * (x - c);
                    sumY += share * (y - c);
                }
            }
        }
        ASSERT_GT(weight, 0.0);
        const double dx = sumX / weight;
        const double dy = sumY / weight;
        EXPECT_GT(std::hypot(dx, dy), picture.width == 32 ? 3.5 : 2.0);
        // Clockwise from 12 o'clock; the image's y axis points down.
        double degrees = std::atan2(dx, -dy) * 180.0 / 3.14159265358979323846;
        if (degrees < 0.0) {
            degrees += 360.0;
        }
        double off = std::fabs(degrees - GetParam().hour * 30.0);
        off = std::min(off, 360.0 - off);
        EXPECT_LT(off, 2.0) << "hand at " << degrees << " degrees";
    }
}

TEST_P(ClockIconTest, Hand_IsCrispOnlyAlongTheAxes) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const int blended = countBlended(index);
        if (isStraight(GetParam())) {
            EXPECT_EQ(blended, 0);
        } else {
            EXPECT_GE(blended, index == kSmall ? 8 : 16);
        }
    }
}

TEST_P(ClockIconTest, Hand_SoftensTowardsTheFaceColour) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const Picture& picture = image(index);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const Rgb colour = picture.at(x, y);
                if (picture.transparentAt(x, y) || colour == kBlack ||
                    (index == kPaletted && colour == kSurroundGrey)) {
                    continue;
                }
                EXPECT_GE(handShare(colour, faceOf(index), handOf(index)), 0.0)
                    << x << "," << y << " is " << int{colour.r} << "/" << int{colour.g} << "/"
                    << int{colour.b};
            }
        }
    }
}

// Along the axes away from the hand: face, then the black of mark and rim, then the corner.
TEST_P(ClockIconTest, Dial_AxesRunFromFaceThroughMarkAndRim) {
    struct Axis {
        int hour;
        int dx;
        int dy;
    };
    const Axis axes[] = {{0, 0, -1}, {3, 1, 0}, {6, 0, 1}, {9, -1, 0}};
    for (int index = 0; index < 4; ++index) {
        const Picture& picture = image(index);
        const bool large = picture.width == 32;
        const int c = centreOf(picture);
        const int firstBlack = large ? 9 : 4;  // the inner end of the mark
        const int radius = large ? 15 : 7;
        for (const Axis& axis : axes) {
            const int apart = (axis.hour - GetParam().hour + 12) % 12;
            if (apart < 2 || apart > 10) {
                continue;  // the hand lies on or near this axis
            }
            SCOPED_TRACE("image " + std::to_string(index + 1) + ", axis to " +
                         std::to_string(axis.hour));
            for (int d = large ? 3 : 2; d <= radius; ++d) {
                const Rgb expected = d < firstBlack ? faceOf(index) : kBlack;
                EXPECT_EQ(picture.at(c + d * axis.dx, c + d * axis.dy), expected) << "at " << d;
                EXPECT_FALSE(picture.transparentAt(c + d * axis.dx, c + d * axis.dy));
            }
        }
    }
}

std::string clockName(const ::testing::TestParamInfo<ClockCase>& info) {
    return std::filesystem::path(info.param.file).stem().string();
}

INSTANTIATE_TEST_SUITE_P(AllClocks, ClockIconTest, ::testing::ValuesIn(kClocks), clockName);

TEST(MainIcon, DiffersFromFrameOneOnlyInTheFace) {
    const IconFile main = icontest::readIconFile(kResources / "taktomat.ico");
    const IconFile frame = icontest::readIconFile(kResources / "frame01.ico");
    ASSERT_EQ(main.images.size(), 4u);
    ASSERT_EQ(frame.images.size(), 4u);
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE("image " + std::to_string(index + 1));
        const Picture& green = main.images[static_cast<std::size_t>(index)];
        const Picture& white = frame.images[static_cast<std::size_t>(index)];
        const Rgb greenFace = index == kPaletted ? kPureGreen : kGreenFace;
        EXPECT_EQ(green.transparent, white.transparent);
        int faces = 0;
        for (int y = 0; y < green.height; ++y) {
            for (int x = 0; x < green.width; ++x) {
                if (green.at(x, y) == white.at(x, y)) {
                    continue;
                }
                EXPECT_TRUE(green.at(x, y) == greenFace && white.at(x, y) == kWhite)
                    << x << "," << y;
                ++faces;
            }
        }
        EXPECT_EQ(faces, countColour(white, kWhite));
        EXPECT_GT(faces, 0);
    }
}

TEST(FolderPicture, IsAnEighteenPixelTrueColourBitmapOnTheButtonGrey) {
    const icontest::BitmapFile bitmap = icontest::readBitmapFile(kResources / "folder.bmp");
    const Picture& picture = bitmap.picture;
    EXPECT_EQ(picture.width, 18);
    EXPECT_EQ(picture.height, 18);
    EXPECT_EQ(picture.header.bitCount, 24);
    EXPECT_EQ(picture.header.planes, 1);
    EXPECT_EQ(bitmap.pixelOffset, 14u + 40u);
    EXPECT_EQ(bitmap.fileSize, 14u + 40u + 56u * 18u);  // rows of 54 bytes padded to 56
    EXPECT_EQ(bitmap.actualSize, bitmap.fileSize);

    constexpr Rgb kButtonGrey{224, 223, 227};
    const std::pair<int, int> corners[] = {{0, 0}, {17, 0}, {0, 17}, {17, 17}};
    for (const auto& [x, y] : corners) {
        EXPECT_EQ(picture.at(x, y), kButtonGrey) << x << "," << y;
    }
}

TEST(FolderPicture, ShowsAnOpenFolderUnderAnArrow) {
    const Picture picture = icontest::readBitmapFile(kResources / "folder.bmp").picture;
    struct ColourCase {
        const char* name;
        Rgb colour;
    };
    const ColourCase colours[] = {{"outline", kBlack},
                                  {"yellow check", {255, 255, 0}},
                                  {"white check", kWhite},
                                  {"olive flap", {128, 128, 0}}};
    for (const ColourCase& expected : colours) {
        EXPECT_GT(countColour(picture, expected.colour), 0) << expected.name;
    }
    // The arrow: black above the folder's top edge, on its right-hand side.
    int arrow = 0;
    for (int y = 0; y < 6; ++y) {
        for (int x = 9; x < 18; ++x) {
            arrow += picture.at(x, y) == kBlack ? 1 : 0;
        }
    }
    EXPECT_GE(arrow, 8);
}

}  // namespace
