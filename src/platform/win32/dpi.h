#pragma once

#include <windows.h>

namespace taktomat::platform::win32 {

inline constexpr int kDefaultDpi = 96;

// The functions below use the per-monitor DPI calls where the system has them (Windows 10
// 1607 and later) and fall back to the system DPI on Windows 7 and 8.
int dpiForWindow(HWND window);
RECT windowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
int systemMetricForDpi(int index, int dpi);

}  // namespace taktomat::platform::win32
