// The window in a Wine prefix made without Wine's own fonts, as a user's plain `wine` makes one:
// neither of the layout's fonts is there, and still no label may lose a letter.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "icon_pixels.h"

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

// A screenshot of an area, with the question whether a pixel is ink, that is, clearly not of
// the background's colour.
class Screenshot {
public:
    explicit Screenshot(const RECT& area) : area_(area), pixels_(screenPixels(area)) {}

    DWORD at(POINT screen) const {
        const int width = area_.right - area_.left;
        return pixels_[static_cast<size_t>(screen.y - area_.top) * width + screen.x - area_.left];
    }
    bool ink(POINT screen, DWORD background) const {
        const DWORD pixel = at(screen);
        for (int shift : {0, 8, 16}) {
            const int difference = static_cast<int>((pixel >> shift) & 0xFF) -
                                   static_cast<int>((background >> shift) & 0xFF);
            if (difference > 48 || difference < -48) return true;
        }
        return false;
    }

private:
    RECT area_;
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
    // Topmost, so that no window of Wine's own (its tray, in a prefix just made) covers it.
    SetWindowPos(product.window(), HWND_TOPMOST, 40, 80, 900, client.bottom + 200, SWP_NOACTIVATE);
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
        const DWORD background = shot.at(empty);
        for (int y = label.onScreen.top; y < label.onScreen.top + label.box.cy; ++y) {
            for (int x = label.onScreen.left; x < label.onScreen.left + label.box.cx; ++x) {
                if (shot.ink({x, y}, background)) return true;
            }
        }
        return false;
    };
    const bool seen = waitUntil([&] {
        const Screenshot shot(area);
        for (const Shown& label : labels) {
            if (showsText(shot, label)) continue;
            // A paint lost on a busy display is asked for again; the text is judged as before.
            RedrawWindow(product.window(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return false;
        }
        return true;
    });
    ASSERT_TRUE(seen) << "the labels do not show in their new places, within the window at "
                      << area.left << "," << area.top << " to " << area.right << "," << area.bottom
                      << "; the screen is in \"" << utf8(saveScreen(L"labels-not-shown.bmp"))
                      << "\"";

    const Screenshot shot(area);
    const DWORD background = shot.at(empty);
    for (const Shown& label : labels) {
        bool cut = false;
        for (int y = label.onScreen.top; y < label.onScreen.bottom && !cut; ++y) {
            for (int x = label.onScreen.left; x < label.onScreen.right && !cut; ++x) {
                const bool outsideTheBox = x >= label.onScreen.left + label.box.cx ||
                                           y >= label.onScreen.top + label.box.cy;
                cut = outsideTheBox && shot.ink({x, y}, background);
            }
        }
        EXPECT_FALSE(cut) << "\"" << utf8(label.text) << "\" does not fit its box of "
                          << label.box.cx << " by " << label.box.cy << " pixels";
    }
}

}  // namespace
}  // namespace taktomat::e2e
