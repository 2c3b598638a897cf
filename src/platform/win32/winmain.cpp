#include <windows.h>

#include "app/application.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    taktomat::platform::win32::Win32Platform platform(instance);
    return taktomat::app::run(platform);
}
