// icongen OUTDIR: draws the utility's clock icons and the browse button's picture.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bmp_writer.h"
#include "byte_buffer.h"
#include "clock_icon.h"
#include "folder_picture.h"

namespace {

std::string frameFileName(int frame) {
    const std::string number = std::to_string(frame);
    return (number.size() < 2 ? "frame0" : "frame") + number + ".ico";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path outDir = argv[1];
        std::filesystem::create_directories(outDir);

        icongen::writeFile(outDir / "taktomat.ico",
                           icongen::encodeClockIcon(icongen::kGreenFace, 0));
        // Frame k shows the part (k - 1)/12 to k/12 of a pass: its hand is at hour k - 1.
        for (int frame = 1; frame <= 12; ++frame) {
            icongen::writeFile(outDir / frameFileName(frame),
                               icongen::encodeClockIcon(icongen::kWhiteFace, frame - 1));
        }
        icongen::writeFile(outDir / "folder.bmp", icongen::encodeBitmap(icongen::folderPicture()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "icongen: %s\n", error.what());
        return 1;
    }
    return 0;
}
