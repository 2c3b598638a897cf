#pragma once

#include <string>

#include "platform/message_box.h"

namespace taktomat::cmdline {

// How the utility can be called, as one text of lines joined by CR LF, with none after the
// last. The same whatever the executable is called and whatever led to it.
std::string commandLineHelpText();

// The help in one modal information box; returns once the user has closed it.
void showCommandLineHelp(platform::MessageBoxes& boxes);

}  // namespace taktomat::cmdline
