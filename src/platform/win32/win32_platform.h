#pragma once

#include <windows.h>

#include <memory>

#include "platform/platform.h"
#include "platform/win32/icons.h"
#include "platform/win32/main_window.h"
#include "platform/win32/system_services.h"
#include "platform/win32/tray_shell.h"

namespace taktomat::platform::win32 {

class Win32Platform final : public Platform {
public:
    explicit Win32Platform(HINSTANCE instance);

    MainWindow& createMainWindow(const WindowLayout& layout) override;
    TrayShell& trayShell() override { return trayShell_; }
    ProgramStarter& programStarter() override { return programStarter_; }
    const FileSystem& fileSystem() const override { return fileSystem_; }
    SettingsStore& settingsStore() override { return settingsStore_; }
    MessageBoxes& messageBoxes() override { return messageBoxes_; }
    OpenFileDialog& openFileDialog() override { return openFileDialog_; }
    const Icons& icons() const override { return icons_; }
    Process& process() override { return process_; }
    const Clock& clock() const override { return clock_; }
    Version version() const override { return version_; }
    std::string commandLine() const override { return commandLine_; }
    int runEventLoop() override;

private:
    HINSTANCE instance_;
    Win32Icons icons_;
    Version version_;
    std::string commandLine_;
    // Owner of boxes, dialogs and the shell's windows: null until the main window exists.
    HWND ownerWindow_ = nullptr;
    Win32TrayShell trayShell_;
    Win32ProgramStarter programStarter_{ownerWindow_};
    Win32FileSystem fileSystem_;
    Win32SettingsStore settingsStore_;
    Win32MessageBoxes messageBoxes_{ownerWindow_};
    Win32OpenFileDialog openFileDialog_{ownerWindow_};
    Win32Process process_;
    Win32Clock clock_;
    std::unique_ptr<Win32MainWindow> mainWindow_;
};

}  // namespace taktomat::platform::win32
