#pragma once

#include <string>

#include "platform/file_system.h"

namespace taktomat::scheduler {

// True for an existing entry that is neither a directory nor a volume label; false for
// those and for every path whose attributes cannot be read.
bool fileExists(const platform::FileSystem& files, const std::string& path);

}  // namespace taktomat::scheduler
