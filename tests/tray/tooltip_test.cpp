#include "tray/tooltip.h"

#include <gtest/gtest.h>

#include <string>

namespace taktomat::tray {
namespace {

std::string tipBytes(const platform::NotifyIconDataA& record) {
    return std::string(record.szTip, sizeof(record.szTip));
}

struct TooltipCase {
    size_t textLength;
    size_t keptLength;
};

TEST(Tooltip, TextThenOneNulThenBlanksToSixtyFourCharacters) {
    const TooltipCase cases[] = {{0, 0}, {20, 20}, {62, 62}, {63, 63}, {64, 63}, {100, 63}};
    for (const TooltipCase& c : cases) {
        std::string text;
        for (size_t i = 0; i < c.textLength; ++i) text.push_back(static_cast<char>('a' + i % 26));
        platform::NotifyIconDataA record{};
        // Whatever was there before must not shine through.
        std::fill(std::begin(record.szTip), std::end(record.szTip), 'X');

        setTooltip(record, text);

        const std::string expected =
            text.substr(0, c.keptLength) + '\0' + std::string(63 - c.keptLength, ' ');
        EXPECT_EQ(tipBytes(record), expected) << "text of " << c.textLength;
    }
}

TEST(Tooltip, TwentyCharactersLeaveFortyThreeBlanks) {
    platform::NotifyIconDataA record{};
    setTooltip(record, "4s bis Programmstart");  // 20 characters
    const std::string tip = tipBytes(record);
    EXPECT_EQ(tip.substr(0, 20), "4s bis Programmstart");
    EXPECT_EQ(tip[20], '\0');
    EXPECT_EQ(tip.substr(21), std::string(43, ' '));
}

TEST(Tooltip, ShorterTextAfterLongerLeavesNoRest) {
    platform::NotifyIconDataA record{};
    setTooltip(record, "Ravik Taktomate 1.2");
    setTooltip(record, "Taktomat1.2");
    EXPECT_EQ(tipBytes(record), std::string("Taktomat1.2") + '\0' + std::string(52, ' '));
}

}  // namespace
}  // namespace taktomat::tray
