#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"

namespace taktomat::dialogs {

inline constexpr const char* kFileFilter =
    "Ausführbare Dateien (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|Alle Dateien (*.*)|*.*";
inline constexpr const char* kFileDialogTitle = "File wählen";
inline constexpr std::uint32_t kFileDialogFlags =
    platform::open_file_flag::kHideReadOnly | platform::open_file_flag::kFileMustExist |
    platform::open_file_flag::kExplorer | platform::open_file_flag::kLongNames;

// Shows the open-file dialog. The full path of the chosen file, or the empty text when the
// user cancelled or the dialog failed; a failure has been shown in a box by then.
std::string chooseFile(platform::OpenFileDialog& dlgOpenFile, platform::MessageBoxes& boxes);

// The browse button: a chosen file's path replaces the file field's text.
void Command2_Click(platform::OpenFileDialog& dlgOpenFile, platform::MessageBoxes& boxes,
                    platform::TextBox& dateinametxt);

}  // namespace taktomat::dialogs
