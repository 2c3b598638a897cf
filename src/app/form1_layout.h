#pragma once

#include "platform/main_window.h"

namespace taktomat::app {

inline constexpr int kClientWidthTwips = 6000;
inline constexpr int kClientHeightTwips = 1680;

platform::WindowLayout form1WindowLayout();

}  // namespace taktomat::app
