#include "icon_pixels.h"

#include <cstring>
#include <memory>

#include "taktomat_product.h"

namespace taktomat::e2e {
namespace {

std::vector<unsigned char> resourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
    HRSRC info = FindResourceW(module, name, type);
    if (!info) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
    if (!data) return {};
    return {data, data + SizeofResource(module, info)};
}

}  // namespace

SmallIcon readProductSmallIcon(int group) {
    SmallIcon icon;
    HMODULE module = LoadLibraryExW(kTaktomatExe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        icon.problem = "cannot open the product as a data file";
        return icon;
    }
    std::vector<unsigned char> directory =
        resourceBytes(module, RT_GROUP_ICON, MAKEINTRESOURCEW(group));
    const int id = directory.empty() ? 0
                                     : LookupIconIdFromDirectoryEx(directory.data(), TRUE, 16, 16,
                                                                   LR_DEFAULTCOLOR);
    const auto image =
        id ? resourceBytes(module, RT_ICON, MAKEINTRESOURCEW(id)) : std::vector<unsigned char>{};
    FreeLibrary(module);
    BITMAPINFOHEADER header{};
    if (image.size() >= sizeof header) std::memcpy(&header, image.data(), sizeof header);
    if (header.biSize != sizeof header || header.biWidth != 16 || header.biHeight != 32 ||
        (header.biBitCount != 24 && header.biBitCount != 32)) {
        icon.problem = "no 16x16 24- or 32-bit image in icon group " + std::to_string(group);
        return icon;
    }
    // Bottom-up rows padded to four bytes: the colour image, then the AND mask.
    const size_t colourStride = (16 * header.biBitCount / 8 + 3) / 4 * 4;
    const size_t maskStride = 4;
    const size_t maskOffset = sizeof header + 16 * colourStride;
    if (image.size() < maskOffset + 16 * maskStride) {
        icon.problem = "icon image too short";
        return icon;
    }
    for (int y = 0; y < 16; ++y) {
        const size_t row = static_cast<size_t>(15 - y);
        for (int x = 0; x < 16; ++x) {
            const unsigned char* pixel =
                image.data() + sizeof header + row * colourStride + x * header.biBitCount / 8;
            const bool masked = image[maskOffset + row * maskStride + x / 8] & (0x80 >> (x % 8));
            const bool opaque = header.biBitCount == 32 ? pixel[3] == 255 : !masked;
            icon.colour.push_back(RGB(pixel[2], pixel[1], pixel[0]));
            icon.opaque.push_back(opaque);
        }
    }
    return icon;
}

std::vector<DWORD> screenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    if (bits) std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::wstring saveScreen(const wchar_t* name) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<DWORD> pixels = screenPixels(screen);
    // Opaque: viewers take the fourth byte of a 32-bit bitmap as alpha.
    for (DWORD& pixel : pixels) pixel |= 0xFF000000;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = screen.right;
    info.biHeight = -screen.bottom;  // top-down, as read
    info.biPlanes = 1;
    info.biBitCount = 32;
    const auto bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    const HANDLE opened =
        CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return {};
    const std::unique_ptr<void, decltype(&CloseHandle)> out(opened, &CloseHandle);
    DWORD written = 0;
    const bool whole = WriteFile(opened, &file, sizeof file, &written, nullptr) &&
                       WriteFile(opened, &info, sizeof info, &written, nullptr) &&
                       WriteFile(opened, pixels.data(), bytes, &written, nullptr);
    wchar_t full[MAX_PATH] = {};
    return whole && GetFullPathNameW(name, MAX_PATH, full, nullptr) ? full : std::wstring();
}

bool screenShowsIcon(const RECT& area, const SmallIcon& icon) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width < 16 || height < 16 || icon.colour.size() != 256) return false;
    const std::vector<DWORD> shown = screenPixels(area);
    auto within = [](int a, int b) { return a - b <= 24 && b - a <= 24; };
    bool found = false;
    for (int top = 0; top + 16 <= height && !found; ++top) {
        for (int left = 0; left + 16 <= width && !found; ++left) {
            bool match = true;
            for (int i = 0; i < 256 && match; ++i) {
                if (!icon.opaque[i]) continue;
                const DWORD pixel =
                    shown[static_cast<size_t>(top + i / 16) * width + left + i % 16];
                const COLORREF want = icon.colour[i];
                match = within((pixel >> 16) & 0xFF, GetRValue(want)) &&
                        within((pixel >> 8) & 0xFF, GetGValue(want)) &&
                        within(pixel & 0xFF, GetBValue(want));
            }
            found = match;
        }
    }
    return found;
}

}  // namespace taktomat::e2e
