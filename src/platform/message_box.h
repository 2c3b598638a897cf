#pragma once

#include <optional>
#include <string>

namespace taktomat::platform {

namespace message_box_style {
inline constexpr int kOkOnly = 0;
inline constexpr int kCritical = 16;
inline constexpr int kInformation = 64;
}  // namespace message_box_style

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: returns the button that closed the box. Events of the window (timer ticks
    // among them) go on being delivered while it is open. Without a title the box carries
    // the utility's name.
    virtual int show(const std::string& prompt, int style,
                     const std::optional<std::string>& title) = 0;
};

}  // namespace taktomat::platform
