#pragma once

#include <cstdint>

namespace taktomat::tray {

enum class TrayAction { None, ShowWindow, OpenMenu };

// What a tray callback asks for, by the mouse message the shell reports: a left button
// press brings the window back, a right button press opens the menu, nothing else acts.
TrayAction trayActionFor(std::uint32_t mouseMessage);

}  // namespace taktomat::tray
