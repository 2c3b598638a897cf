#include "scheduler/number_filter.h"

#include "scheduler/number.h"

namespace taktomat::scheduler {

void filterNumberField(platform::TextBox& field, std::string& lastAccepted) {
    const std::string text = field.text();
    if (!text.empty() && !isNumber(text)) {
        // The restore is a change too: the filter runs once more inside it and accepts the
        // restored text, which is empty or a number.
        field.setText(lastAccepted);
        // An accepted text is empty or plain ASCII, so its byte count is its character count.
        field.setCaretPosition(static_cast<int>(field.text().size()));
        return;
    }
    lastAccepted = text;
}

}  // namespace taktomat::scheduler
