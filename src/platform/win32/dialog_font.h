#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace taktomat::platform::win32 {

// A label's text and the size of its box in pixels.
struct LabelText {
    std::wstring text;
    SIZE box;
};

struct FontChoice {
    std::wstring face;
    int pixelHeight = 0;  // of the characters, without the leading above them
    bool operator==(const FontChoice&) const = default;
};

// The font of the window. The layout was made for the metrics of the classic 8-point dialog
// font: its scalable form where the system has one, else the older font of the same name.
// Where neither is installed, a stand-in is wider and would cut the labels' texts: then the
// system's dialog font or an installed condensed face, whichever fits at the larger size of
// at most 8 points, at the size at which every label's text fits its box.
class DialogFont {
public:
    DialogFont();

    FontChoice choose(int dpi, const std::vector<LabelText>& labels) const;

private:
    std::optional<std::wstring> layoutFace_;
    std::vector<std::wstring> standIns_;
};

HFONT createFont(const FontChoice& choice);

}  // namespace taktomat::platform::win32
