#pragma once

#include <functional>
#include <string>

#include "platform/controls.h"
#include "platform/message_box.h"

namespace taktomat::cmdline {

// What the interpreter fills and presses: the main window's four input controls, the boxes
// for the help, and the window's own Start/Stop handler.
struct CommandLineTargets {
    platform::ComboBox& Combo1;
    platform::TextBox& sekundentxt;
    platform::TextBox& durchlauftxt;
    platform::TextBox& dateinametxt;
    platform::MessageBoxes& boxes;
    // At startup the button reads "Start", so a call is a Start request with all its checks.
    std::function<void()> Command1_Click;
};

// "start", or SEKUNDEN MODUS DURCHLÄUFE DATEINAME cut at single blanks, the file name being
// the rest of the line; blanks around the text and the case of its letters do not count.
// Fills the fields and presses Start; every text it cannot use, and every error of its steps
// or of the Start, ends in the help, shown once. A process end passes through.
void parseCommandLine(const std::string& commandLine, const CommandLineTargets& targets);

}  // namespace taktomat::cmdline
