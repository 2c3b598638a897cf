#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace taktomat::platform::win32 {

// UTF-8 inside the utility, UTF-16 at the W functions. Invalid input becomes U+FFFD.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);
// A window's text (a caption or a control's contents) in UTF-8.
std::string windowTextUtf8(HWND window);
void setWindowTextUtf8(HWND window, std::string_view text);

// The system's ANSI code page, for the tray record's tooltip.
std::string utf8ToAnsi(std::string_view utf8);

}  // namespace taktomat::platform::win32
