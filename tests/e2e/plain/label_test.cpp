// The window in a Wine prefix made without Wine's own fonts, as a user's plain `wine` makes one:
// neither of the layout's fonts is there, and still no label may lose a letter.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gui_driver.h"

namespace taktomat::e2e {
namespace {

// Tab indexes of the labels.
constexpr int kLabels[] = {4, 5, 6, 8, 10};

int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The screen's pixels in an area, top row first, as 0x00RRGGBB.
class Screenshot {
public:
    explicit Screenshot(const RECT& area)
        : left_(area.left),
          top_(area.top),
          width_(area.right - area.left),
          height_(area.bottom - area.top),
          pixels_(static_cast<size_t>(width_) * height_) {
        BITMAPINFO info{};
        info.bmiHeader = header();
        void* bits = nullptr;
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, left_, top_, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(DWORD));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    // Whether a pixel of the screen area differs clearly from the background colour.
    bool ink(int screenX, int screenY, DWORD background) const {
        const DWORD pixel = pixels_[static_cast<size_t>(screenY - top_) * width_ + screenX - left_];
        for (int shift : {0, 8, 16}) {
            const int difference = static_cast<int>((pixel >> shift) & 0xFF) -
                                   static_cast<int>((background >> shift) & 0xFF);
            if (difference > 48 || difference < -48) return true;
        }
        return false;
    }
    DWORD at(int screenX, int screenY) const {
        return pixels_[static_cast<size_t>(screenY - top_) * width_ + screenX - left_];
    }

    // Kept beside the test for a person to look at.
    void save(const char* file) const {
        BITMAPINFOHEADER info = header();
        BITMAPFILEHEADER head{};
        head.bfType = 0x4D42;  // "BM"
        head.bfOffBits = sizeof head + sizeof info;
        head.bfSize = head.bfOffBits + static_cast<DWORD>(pixels_.size() * 4);
        // Opaque, for viewers that read the fourth byte as alpha.
        std::vector<DWORD> opaque(pixels_);
        for (DWORD& pixel : opaque) pixel |= 0xFF000000;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&head), sizeof head);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        out.write(reinterpret_cast<const char*>(opaque.data()),
                  static_cast<std::streamsize>(opaque.size() * 4));
    }

private:
    BITMAPINFOHEADER header() const {
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = width_;
        header.biHeight = -height_;  // top-down
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        return header;
    }

    int left_;
    int top_;
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};

struct Shown {
    std::wstring text;
    SIZE box;       // as the layout has it
    RECT onScreen;  // where the label shows now, wider and higher than its box
};

TEST(PlainPrefix, EveryLabelShowsItsWholeText) {
    ASSERT_FALSE(fontInstalled(L"Microsoft Sans Serif") || fontInstalled(L"MS Sans Serif"))
        << "the prefix has a font of the layout: it is not a plain one";
    Product product;
    ASSERT_TRUE(product.ready()) << product.why();

    // Below the layout the window gets room where each label shows again, its box a little
    // wider and three times as high: whatever its own box would cut off shows there.
    RECT client{};
    GetClientRect(product.window(), &client);
    SetWindowPos(product.window(), nullptr, 40, 80, 900, client.bottom + 200,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    constexpr int kWider = 4;
    std::vector<Shown> labels;
    int left = 8;
    for (int tabIndex : kLabels) {
        const HWND label = product.control(tabIndex);
        ASSERT_NE(label, nullptr);
        RECT box{};
        GetClientRect(label, &box);
        const Shown shown{windowText(label), {box.right, box.bottom}, {}};
        SetWindowPos(label, nullptr, left, client.bottom + 10, box.right + kWider, 3 * box.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        labels.push_back(shown);
        left += box.right + kWider + 12;
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        GetWindowRect(product.control(kLabels[i]), &labels[i].onScreen);
    }
    RECT area{};
    GetWindowRect(product.window(), &area);
    const POINT empty{area.right - 30, labels[0].onScreen.bottom + 4};

    // Each label shows its text once it has painted itself in its new place.
    const auto showsText = [&](const Screenshot& shot, const Shown& label) {
        const DWORD background = shot.at(empty.x, empty.y);
        for (int y = label.onScreen.top; y < label.onScreen.top + label.box.cy; ++y) {
            for (int x = label.onScreen.left; x < label.onScreen.left + label.box.cx; ++x) {
                if (shot.ink(x, y, background)) return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(waitUntil([&] {
        const Screenshot shot(area);
        for (const Shown& label : labels) {
            if (!showsText(shot, label)) return false;
        }
        return true;
    })) << "the labels do not show in their new places";

    const Screenshot shot(area);
    shot.save("labels-in-a-plain-prefix.bmp");
    const DWORD background = shot.at(empty.x, empty.y);
    for (const Shown& label : labels) {
        bool cut = false;
        for (int y = label.onScreen.top; y < label.onScreen.bottom && !cut; ++y) {
            for (int x = label.onScreen.left; x < label.onScreen.right && !cut; ++x) {
                const bool outsideTheBox = x >= label.onScreen.left + label.box.cx ||
                                           y >= label.onScreen.top + label.box.cy;
                cut = outsideTheBox && shot.ink(x, y, background);
            }
        }
        EXPECT_FALSE(cut) << "\"" << utf8(label.text) << "\" does not fit its box of "
                          << label.box.cx << " by " << label.box.cy
                          << " pixels; see labels-in-a-plain-prefix.bmp";
    }
}

}  // namespace
}  // namespace taktomat::e2e
