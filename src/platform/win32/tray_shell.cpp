#include "platform/win32/tray_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "platform/win32/text.h"

namespace taktomat::platform::win32 {

// The utility's record must be the shell's first form byte for byte.
static_assert(sizeof(NotifyIconDataA) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(NotifyIconDataA, hWnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(NotifyIconDataA, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(NotifyIconDataA, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(NotifyIconDataA, uCallbackMessage) ==
              offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(NotifyIconDataA, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(NotifyIconDataA, szTip) == offsetof(NOTIFYICONDATAA, szTip));

TrayAnswer Win32TrayShell::notify(TrayMessage message, const NotifyIconDataA& record) {
    NOTIFYICONDATAA data{};
    std::memcpy(&data, &record, sizeof(record));
    // The tip is UTF-8 inside the utility; the shell reads it in the ANSI code page.
    const char* tip = record.szTip;
    const std::string text(tip, std::find(tip, tip + kTipLength, '\0'));
    const std::string ansi = utf8ToAnsi(text);
    const size_t kept = std::min(ansi.size(), static_cast<size_t>(kTipLength - 1));
    std::memset(data.szTip, ' ', sizeof(data.szTip));
    std::memcpy(data.szTip, ansi.data(), kept);
    data.szTip[kept] = '\0';
    std::array<char, sizeof(NotifyIconDataA)> sent{};
    std::memcpy(sent.data(), &data, sent.size());
    if (message == TrayMessage::Modify && shown_ == sent) return TrayAnswer::Done;
    // The call waits for the shell's answer only so long (SendMessageTimeout inside), and
    // then fails with ERROR_TIMEOUT; a refusal or a missing task bar leaves another code.
    SetLastError(ERROR_SUCCESS);
    const BOOL result = Shell_NotifyIconA(static_cast<DWORD>(message), &data);
    const DWORD error = GetLastError();
    // After a delete, or a call the shell refused, what it shows is not known for certain.
    shown_.reset();
    if (!result) return error == ERROR_TIMEOUT ? TrayAnswer::Late : TrayAnswer::Refused;
    if (message != TrayMessage::Delete) shown_ = sent;
    return TrayAnswer::Done;
}

}  // namespace taktomat::platform::win32
