#include "cmdline/help.h"

#include <gtest/gtest.h>

namespace taktomat::cmdline {
namespace {

TEST(CommandLineHelp, IsTheTwentyThreeLinesJoinedByCrLf) {
    EXPECT_EQ(commandLineHelpText(),
              "Ravik Taktomat Kommandozeilenhilfe\r\n"
              "\r\n"
              "Folgende Aufrufe sind m\xC3\xB6glich:\r\n"
              "\r\n"
              "taktomat.exe start\r\n"
              "Startet das Programm mit den zuletzt g\xC3\xBCltigen Einstellungen\r\n"
              "und beginnt sofort mit dem Countdown.\r\n"
              "\r\n"
              "taktomat.exe SEKUNDEN MODUS DURCHL\xC3\x84UFE DATEINAME\r\n"
              "wobei SEKUNDEN die Sekunden zwischen den Programmaufrufen sind\r\n"
              "MODUS ist der gew\xC3\xBCnschte Fenstermodus, folgende sind g\xC3\xBCltig:\r\n"
              "0 = verstecktes Fenster\r\n"
              "1 = normales Fenster mit Focus\r\n"
              "2 = minimiertes Fenster mit Focus\r\n"
              "3 = maximiertes Fenster mit Focus\r\n"
              "4 = normales Fenster ohne Focus\r\n"
              "5 = maximiertes Fenster ohne Focus\r\n"
              "6 = minimiertes Fenster ohne Focus\r\n"
              "DURCHL\xC3\x84UFE ist die Anzahl der maximalen Durchl\xC3\xA4ufe \r\n"
              "Bei einem maximalen Durchlauf <1 wird unendlich oft wiederholt \r\n"
              "DATEINAME ist der absolute/relative Pfad zur gew\xC3\xBCnschten Datei.\r\n"
              "\r\n"
              "Beispiel: taktomat.exe 30 6 0 c:\\windows\\notepad.exe");
}

}  // namespace
}  // namespace taktomat::cmdline
