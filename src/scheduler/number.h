#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace taktomat::scheduler {

// The one reading of a text as a signed 32-bit integer that every caller uses: blanks, an
// optional sign, one or more decimal digits, blanks; nothing else, and only values from
// -2147483648 to 2147483647. Anything else (hexadecimal, exponents, fractions, group
// separators, other scripts' digits) is no number.
std::optional<std::int32_t> toInt32(std::string_view text);

// True exactly when toInt32 reads the text, so that a check and the later reading of the
// same text can never disagree.
bool isNumber(const std::string& zahl);

}  // namespace taktomat::scheduler
