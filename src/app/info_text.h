#pragma once

#include <string>

#include "taktomat_version.h"

namespace taktomat::app {

// The two lines of the window's info label: who made it, and where newer versions are.
inline std::string infoText() {
    return std::string("Ravik Taktomate - startet Programme im Takt") + "\r\n" +
           "Neue Versionen auf " + TAKTOMAT_RELEASES_URL;
}

}  // namespace taktomat::app
