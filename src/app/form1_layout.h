#pragma once

#include <array>
#include <string_view>

#include "platform/geometry.h"
#include "platform/main_window.h"

namespace taktomat::app {

inline constexpr int kClientWidthTwips = 6000;
inline constexpr int kClientHeightTwips = 1680;
inline constexpr int kTimerIntervalMilliseconds = 1000;

enum class ControlKind { Button, PictureButton, TextBox, ComboBox, Label, Line, Timer, FileDialog };

// One control of the main window: its name, kind, text when created, place in twips and
// tab index (-1 for those that take no part in the tab order).
struct ControlEntry {
    std::string_view name;
    ControlKind kind;
    std::string_view text;
    platform::TwipsRect bounds;
    int tabIndex;
};

// In the order in which the window creates them. Line1 runs from (left, top) to
// (left + width, top + height).
inline constexpr std::array<ControlEntry, 15> kForm1Controls{{
    {"Command4", ControlKind::Button, "Hilfe", {4860, 770, 1095, 420}, 11},
    {"durchlauftxt", ControlKind::TextBox, "", {3150, 770, 975, 285}, 9},
    {"Combo1", ControlKind::ComboBox, "", {3150, 405, 2805, 315}, 7},
    {"Command2", ControlKind::PictureButton, "", {5580, 45, 375, 330}, 1},
    {"dlgOpenFile", ControlKind::FileDialog, "", {}, -1},
    {"sekundentxt", ControlKind::TextBox, "", {945, 405, 1140, 330}, 2},
    {"Timer1", ControlKind::Timer, "", {}, -1},
    {"Command1", ControlKind::Button, "Start", {4860, 1200, 1095, 420}, 3},
    {"dateinametxt", ControlKind::TextBox, "", {945, 45, 4605, 330}, 0},
    {"Label4",
     ControlKind::Label,
     "Anzahl maximaler Durchläufe(0=unendlich):",
     {90, 810, 3135, 255},
     10},
    {"Line1", ControlKind::Line, "", {0, 1095, 4800, 0}, -1},
    {"Label3", ControlKind::Label, "Ausführen als", {2160, 450, 1005, 240}, 8},
    {"infolabel", ControlKind::Label, "", {90, 1185, 4740, 465}, 6},
    {"Label2", ControlKind::Label, "Interval in Sekunden:", {90, 360, 825, 375}, 5},
    {"Label1", ControlKind::Label, "Dateiname:", {90, 90, 870, 285}, 4},
}};

// The window-mode list; an entry's index is the show-window value it stands for.
inline constexpr std::array<std::string_view, 7> kWindowModeTexts{{
    "verstecktes Fenster",
    "normales Fenster mit Focus",
    "minimiertes Fenster mit Focus",
    "maximiertes Fenster mit Focus",
    "normales Fenster ohne Focus",
    "maximiertes Fenster ohne Focus",
    "minimiertes Fenster ohne Focus",
}};

// What an edit of the window-mode field and a missing stored mode both fall back to.
inline constexpr int kDefaultWindowMode = 6;

// The hidden top-level menu "Dummy" never shows as a menu bar; its items form the tray menu.
struct MenuItemEntry {
    std::string_view name;
    std::string_view caption;
};
inline constexpr std::array<MenuItemEntry, 5> kTrayMenuItems{{
    {"porgmnu", "Ravik Taktomate"},
    {"progmnu", "Programm anzeigen"},
    {"nurwennbeendetmnu", "Nicht starten, solange es noch läuft"},
    {"strichmnu", "-"},
    {"quitmnu", "Programm verlassen"},
}};

const ControlEntry& controlEntry(std::string_view name);
platform::ControlLayout controlLayout(std::string_view name);
platform::WindowLayout form1WindowLayout();

}  // namespace taktomat::app
