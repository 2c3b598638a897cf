#pragma once

#include <cstdint>

namespace taktomat::platform {

// A window or icon handle as the shell's tray record carries it. The logic stores and
// compares these values but never looks inside them.
using NativeHandle = std::uintptr_t;

}  // namespace taktomat::platform
