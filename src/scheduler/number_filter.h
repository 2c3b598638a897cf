#pragma once

#include <string>

#include "platform/controls.h"

namespace taktomat::scheduler {

// The live filter of a number field, run after every change of its text: a text that is
// neither empty nor a number is undone at once and the field shows its last accepted text
// again, caret at the end. Accepted texts are kept exactly as typed.
void filterNumberField(platform::TextBox& field, std::string& lastAccepted);

}  // namespace taktomat::scheduler
