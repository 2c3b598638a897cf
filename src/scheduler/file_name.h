#pragma once

#include "platform/controls.h"

namespace taktomat::scheduler {

// Takes one pair of quotation marks that encloses the whole name off the field, as Explorer's
// "Copy as path" and a path with blanks in a shortcut write it. No Windows file name holds a
// quotation mark, so such a name could never be found with them; any other name stays as it is.
void unquoteFileName(platform::TextBox& dateinametxt);

}  // namespace taktomat::scheduler
