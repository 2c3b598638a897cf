#include "cmdline/lower_case.h"

#include <gtest/gtest.h>

namespace taktomat::cmdline {
namespace {

TEST(LowerCase, EveryLetterOfEveryScriptWhateverItsLengthInUtf8) {
    const std::pair<const char*, const char*> cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"},
        {"C:\\ÄÖÜ ÉÇŸ ŁŽ ąłž ΣΆ ЖЁ ǄǍǴ", "c:\\äöü éçÿ łž ąłž σά жё ǆǎǵ"},
        // Ɫ and Ⱥ: three bytes to two, two to three.
        {"\xE2\xB1\xA2\xC8\xBA", "\xC9\xAB\xE2\xB1\xA5"},
        // Their lower forms upper-case to other letters, so lowered they would name other files.
        {"C:\\Users\\İlker\\Sicherung.bat", "c:\\users\\İlker\\sicherung.bat"},
        {"\u03F4\u1E9E\u2126\u212A\u212B\u01C5\u01C8\u01CB\u01F2",
         "\u03F4\u1E9E\u2126\u212A\u212B\u01C5\u01C8\u01CB\u01F2"},
        // Capitals beyond U+FFFF (Deseret, Osage, Adlam): Windows never case-maps a surrogate.
        {"C:\\\U00010400lf\\\U000104B0\U0001E900.EXE",
         "c:\\\U00010400lf\\\U000104B0\U0001E900.exe"},
        // No letters, and no UTF-8: a stray continuation, an overlong slash, a cut-off end.
        {"東京 1² \x80\xC0\xAF\xC3", "東京 1² \x80\xC0\xAF\xC3"},
    };
    for (const auto& [text, lowered] : cases) EXPECT_EQ(toLowerCase(text), lowered) << text;
}

}  // namespace
}  // namespace taktomat::cmdline
