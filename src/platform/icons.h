#pragma once

#include <optional>

#include "platform/native_handle.h"

namespace taktomat::platform {

// The thirteen clock icons: the main icon and the progress frames 1 to 12.
enum class IconId {
    Main,
    Frame1,
    Frame2,
    Frame3,
    Frame4,
    Frame5,
    Frame6,
    Frame7,
    Frame8,
    Frame9,
    Frame10,
    Frame11,
    Frame12,
};

inline constexpr int kFrameCount = 12;

constexpr IconId frameIcon(int frame) {
    return static_cast<IconId>(static_cast<int>(IconId::Frame1) + frame - 1);
}

enum class Picture { Folder };

// Each image is loaded at its first use at a size and kept for the life of the process, so a
// handle once given out never dies and every later lookup is immediate.
class Icons {
public:
    virtual ~Icons() = default;
    // At the size of the window's current DPI.
    virtual NativeHandle handle(IconId icon) const = 0;
    // Which icon a handle of any size shows; nothing for a handle that is none of ours.
    virtual std::optional<IconId> identify(NativeHandle handle) const = 0;
};

}  // namespace taktomat::platform
