#include "cmdline/lower_case.h"

#include <gtest/gtest.h>

namespace taktomat::cmdline {
namespace {

TEST(LowerCase, EveryLetterOfEveryScriptWhateverItsLengthInUtf8) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\ÄÖÜ ẞ ÉÇŸ ŁŽ İ ΣΆ ЖЁ", "c:\\äöü ß éçÿ łž i σά жё"},
        // Ω sign, Ⱥ, Deseret: three bytes to two, two to three, four to four.
        {"\xE2\x84\xA6\xC8\xBA\xF0\x90\x90\x80", "\xCF\x89\xE2\xB1\xA5\xF0\x90\x90\xA8"},
        // No letters, and no UTF-8: a stray continuation, an overlong slash, a cut-off end.
        {"東京 1² \x80\xC0\xAF\xC3", "東京 1² \x80\xC0\xAF\xC3"},
    };
    for (const auto& [text, lowered] : cases) EXPECT_EQ(toLowerCase(text), lowered) << text;
}

}  // namespace
}  // namespace taktomat::cmdline
