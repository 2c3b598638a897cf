#pragma once

#include <string_view>

#include "platform/tray_shell.h"

namespace taktomat::tray {

// Stores the text in the record's 64-character tip: the text, one NUL, then blanks to the
// end of the field. A text of more than 63 characters is cut so that the NUL still fits.
void setTooltip(platform::NotifyIconDataA& record, std::string_view text);

}  // namespace taktomat::tray
