#include "platform/win32/win32_platform.h"

#include <commctrl.h>

namespace taktomat::platform::win32 {

Win32Platform::Win32Platform(HINSTANCE instance)
    : instance_(instance),
      icons_(instance),
      version_(readOwnVersion()),
      commandLine_(readCommandLineArguments()) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

MainWindow& Win32Platform::createMainWindow(const WindowLayout& layout) {
    mainWindow_ = std::make_unique<Win32MainWindow>(instance_, icons_, layout);
    ownerWindow_ = reinterpret_cast<HWND>(mainWindow_->handle());
    return *mainWindow_;
}

int Win32Platform::runEventLoop() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (mainWindow_ && mainWindow_->translateDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace taktomat::platform::win32
