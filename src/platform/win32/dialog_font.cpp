#include "platform/win32/dialog_font.h"

#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {
namespace {

constexpr int kLayoutPoints = 8;
// Below this a stand-in is no longer readable, fitting or not.
constexpr int kSmallestPoints = 6;

int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontFamilyInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Measured as a static control lays its text out: broken at blanks, a word too long for the
// line running over its edge, every line in full height.
bool labelsFit(HDC dc, const FontChoice& choice, const std::vector<LabelText>& labels) {
    const UniqueGdiObject font(createFont(choice));
    const HGDIOBJ previous = SelectObject(dc, font.get());
    bool fit = true;
    for (const LabelText& label : labels) {
        RECT needed{0, 0, label.box.cx, 0};
        DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        fit = fit && needed.right <= label.box.cx && needed.bottom <= label.box.cy;
    }
    SelectObject(dc, previous);
    return fit;
}

}  // namespace

DialogFont::DialogFont() {
    for (const wchar_t* face : {L"Microsoft Sans Serif", L"MS Sans Serif"}) {
        if (fontFamilyInstalled(face)) {
            layoutFace_ = face;
            return;
        }
    }
    // What the system calls its dialog font is always there, if only as another's name.
    standIns_.emplace_back(L"MS Shell Dlg");
    for (const wchar_t* face :
         {L"Arial Narrow", L"Liberation Sans Narrow", L"DejaVu Sans Condensed"}) {
        if (fontFamilyInstalled(face)) standIns_.emplace_back(face);
    }
}

FontChoice DialogFont::choose(int dpi, const std::vector<LabelText>& labels) const {
    const int largest = MulDiv(kLayoutPoints, dpi, 72);
    if (layoutFace_) return {*layoutFace_, largest};
    const int smallest = MulDiv(kSmallestPoints, dpi, 72);
    std::optional<FontChoice> best;
    const HDC screen = GetDC(nullptr);
    for (const std::wstring& face : standIns_) {
        // A later face must fit at a larger size to be taken.
        for (int height = largest; height >= smallest && (!best || height > best->pixelHeight);
             --height) {
            if (labelsFit(screen, {face, height}, labels)) {
                best = FontChoice{face, height};
                break;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return best ? *best : FontChoice{standIns_.front(), smallest};
}

HFONT createFont(const FontChoice& choice) {
    return CreateFontW(-choice.pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, choice.face.c_str());
}

}  // namespace taktomat::platform::win32
