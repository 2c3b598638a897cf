#pragma once

#include "platform/platform.h"

namespace taktomat::app {

// Builds the main window, runs its startup and then the event loop until the process ends.
int run(platform::Platform& platform);

}  // namespace taktomat::app
