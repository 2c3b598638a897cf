#pragma once

#include <string>

#include "platform/version_info.h"

namespace taktomat::scheduler {

// "Ravik Taktomate 1.2": the window caption after startup and after a stop.
std::string versionCaption(const platform::Version& version);
// "Taktomat1.2": the tray tip after a stop.
std::string productTip(const platform::Version& version);

}  // namespace taktomat::scheduler
