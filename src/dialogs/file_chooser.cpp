#include "dialogs/file_chooser.h"

namespace taktomat::dialogs {

std::string chooseFile(platform::OpenFileDialog& dlgOpenFile, platform::MessageBoxes& boxes) {
    // Set at every use: nothing of an earlier use carries over but the file chosen last.
    const platform::OpenFileOptions options{kFileFilter, kFileDialogTitle, kFileDialogFlags, true};
    const platform::OpenFileOutcome outcome = dlgOpenFile.showOpen(options);
    if (outcome.errorNumber == platform::kOpenFileCancelled) return {};
    if (outcome.errorNumber != 0) {
        // No title of its own: the box carries the utility's name.
        boxes.show("Error " + std::to_string(outcome.errorNumber) + " selecting file.\r\n" +
                       outcome.errorDescription,
                   platform::message_box_style::kOkOnly, std::nullopt);
        return {};
    }
    return dlgOpenFile.fileName();
}

void Command2_Click(platform::OpenFileDialog& dlgOpenFile, platform::MessageBoxes& boxes,
                    platform::TextBox& dateinametxt) {
    const std::string chosen = chooseFile(dlgOpenFile, boxes);
    if (!chosen.empty()) dateinametxt.setText(chosen);
}

}  // namespace taktomat::dialogs
