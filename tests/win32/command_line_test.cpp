#include <gtest/gtest.h>

#include "platform/win32/system_services.h"

namespace taktomat::platform::win32 {
namespace {

TEST(CommandLineArguments, EverythingAfterTheProgramNameAndOneBlank) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"taktomat.exe", L""},
        {L"taktomat.exe ", L""},
        {L"taktomat.exe start", L"start"},
        {L"taktomat.exe   start  ", L"  start  "},
        {L"taktomat.exe   ", L"  "},
        {L"taktomat.exe\tstart", L"\tstart"},
        {L"taktomat.exe \tstart\t", L"\tstart\t"},
        {L"\"C:\\x.exe\"  start", L" start"},
        {L"\"C:\\Program Files\\Taktomat\\taktomat.exe\" 30 6 0 c:\\a b.exe",
         L"30 6 0 c:\\a b.exe"},
        {L"\"C:\\x.exe\"start", L"start"},
        {L"\"C:\\unclosed", L""},
        {L"C:\\x.exe \"quoted name\"", L"\"quoted name\""},
        {L"", L""},
    };
    for (const auto& [line, arguments] : cases) {
        EXPECT_EQ(argumentsOf(line), arguments);
    }
}

}  // namespace
}  // namespace taktomat::platform::win32
