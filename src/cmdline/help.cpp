#include "cmdline/help.h"

#include <array>
#include <string_view>

namespace taktomat::cmdline {
namespace {

constexpr const char* kTitle = "Kommandozeilenhilfe";

// Lines 19 and 20 end with a blank, as they always have.
constexpr std::array<std::string_view, 23> kLines{{
    "Ravik Taktomat Kommandozeilenhilfe",
    "",
    "Folgende Aufrufe sind möglich:",
    "",
    "taktomat.exe start",
    "Startet das Programm mit den zuletzt gültigen Einstellungen",
    "und beginnt sofort mit dem Countdown.",
    "",
    "taktomat.exe SEKUNDEN MODUS DURCHLÄUFE DATEINAME",
    "wobei SEKUNDEN die Sekunden zwischen den Programmaufrufen sind",
    "MODUS ist der gewünschte Fenstermodus, folgende sind gültig:",
    "0 = verstecktes Fenster",
    "1 = normales Fenster mit Focus",
    "2 = minimiertes Fenster mit Focus",
    "3 = maximiertes Fenster mit Focus",
    "4 = normales Fenster ohne Focus",
    "5 = maximiertes Fenster ohne Focus",
    "6 = minimiertes Fenster ohne Focus",
    "DURCHLÄUFE ist die Anzahl der maximalen Durchläufe ",
    "Bei einem maximalen Durchlauf <1 wird unendlich oft wiederholt ",
    "DATEINAME ist der absolute/relative Pfad zur gewünschten Datei.",
    "",
    "Beispiel: taktomat.exe 30 6 0 c:\\windows\\notepad.exe",
}};

}  // namespace

std::string commandLineHelpText() {
    std::string text;
    for (size_t line = 0; line < kLines.size(); ++line) {
        if (line > 0) text += "\r\n";
        text += kLines[line];
    }
    return text;
}

void showCommandLineHelp(platform::MessageBoxes& boxes) {
    boxes.show(commandLineHelpText(),
               platform::message_box_style::kOkOnly | platform::message_box_style::kInformation,
               kTitle);
}

}  // namespace taktomat::cmdline
