#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/icons.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "platform/process.h"
#include "platform/program_starter.h"
#include "platform/settings_store.h"
#include "platform/tray_shell.h"
#include "platform/version_info.h"

namespace taktomat::platform {

// Everything the logic needs of the operating system, in one place.
class Platform {
public:
    virtual ~Platform() = default;

    // Creates the one main window, hidden; called once.
    virtual MainWindow& createMainWindow(const WindowLayout& layout) = 0;

    virtual TrayShell& trayShell() = 0;
    virtual ProgramStarter& programStarter() = 0;
    virtual const FileSystem& fileSystem() const = 0;
    virtual SettingsStore& settingsStore() = 0;
    virtual MessageBoxes& messageBoxes() = 0;
    virtual OpenFileDialog& openFileDialog() = 0;
    virtual const Icons& icons() const = 0;
    virtual Process& process() = 0;
    virtual const Clock& clock() const = 0;

    // The utility's own version, read once from its version information.
    virtual Version version() const = 0;
    // The process's command-line text: everything after the program's own name.
    virtual std::string commandLine() const = 0;

    // Delivers the window system's events until the process ends; returns its exit code.
    virtual int runEventLoop() = 0;
};

}  // namespace taktomat::platform
