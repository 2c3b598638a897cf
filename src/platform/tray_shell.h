#pragma once

#include <cstdint>

#include "platform/native_handle.h"

namespace taktomat::platform {

inline constexpr int kTipLength = 64;

// The shell's tray record in its first and smallest ANSI form, fields in the shell's order.
// The handles are pointer-sized as the shell expects on each architecture.
struct NotifyIconDataA {
    std::uint32_t cbSize = 0;
    NativeHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    NativeHandle hIcon = 0;
    char szTip[kTipLength] = {};
};

static_assert(sizeof(void*) != 4 || sizeof(NotifyIconDataA) == 88,
              "the 32-bit shell expects the 88-byte first form of the record");

inline constexpr std::uint32_t kNotifyIconFirstFormSize = sizeof(NotifyIconDataA);

enum class TrayMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// Mouse messages the shell reports in a tray callback (the window system's numbers).
namespace tray_mouse {
inline constexpr std::uint32_t kMove = 0x0200;
inline constexpr std::uint32_t kLeftButtonDown = 0x0201;
inline constexpr std::uint32_t kLeftButtonUp = 0x0202;
inline constexpr std::uint32_t kLeftButtonDoubleClick = 0x0203;
inline constexpr std::uint32_t kRightButtonDown = 0x0204;
inline constexpr std::uint32_t kRightButtonUp = 0x0205;
inline constexpr std::uint32_t kRightButtonDoubleClick = 0x0206;
inline constexpr std::uint32_t kMiddleButtonDown = 0x0207;
inline constexpr std::uint32_t kMiddleButtonUp = 0x0208;
inline constexpr std::uint32_t kMiddleButtonDoubleClick = 0x0209;
inline constexpr std::uint32_t kWheel = 0x020A;
inline constexpr std::uint32_t kExtraButtonDown = 0x020B;
inline constexpr std::uint32_t kExtraButtonUp = 0x020C;
inline constexpr std::uint32_t kExtraButtonDoubleClick = 0x020D;
inline constexpr std::uint32_t kContextMenu = 0x007B;
}  // namespace tray_mouse

// The shell's answer to a call. A shell too busy to answer in time (at sign-in, say) gives up
// waiting, but may carry the call out all the same: a late answer says nothing of the icon.
enum class TrayAnswer { Refused, Done, Late };

class TrayShell {
public:
    virtual ~TrayShell() = default;
    // Shell_NotifyIconA. A modify that would send the record last added or modified again
    // changes nothing the user sees: it is not sent, and counts as done.
    virtual TrayAnswer notify(TrayMessage message, const NotifyIconDataA& record) = 0;
};

}  // namespace taktomat::platform
