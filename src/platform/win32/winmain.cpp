#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/application.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    taktomat::platform::win32::Win32Platform platform(instance);
    return taktomat::app::run(platform);
}

// The runtime's default answer to an exception that nothing catches writes the exception's
// demangled type to the standard error, which a windowed program does not have, and then
// aborts. Aborting alone does the same here and keeps the demangler out of the executable.
namespace __gnu_cxx {
[[gnu::used]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
