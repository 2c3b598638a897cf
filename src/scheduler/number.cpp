#include "scheduler/number.h"

namespace taktomat::scheduler {

std::optional<std::int32_t> toInt32(std::string_view text) {
    size_t position = 0;
    const size_t end = text.size();
    while (position < end && text[position] == ' ') ++position;

    bool negative = false;
    if (position < end && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }

    // Accumulated as a negative value, whose range reaches one further than the positive.
    constexpr std::int64_t kLowest = -2147483648LL;
    constexpr std::int64_t kHighest = 2147483647LL;
    std::int64_t value = 0;
    size_t digits = 0;
    while (position < end && text[position] >= '0' && text[position] <= '9') {
        value = value * 10 - (text[position] - '0');
        if (value < kLowest) return std::nullopt;
        ++digits;
        ++position;
    }
    if (digits == 0) return std::nullopt;

    while (position < end && text[position] == ' ') ++position;
    if (position != end) return std::nullopt;

    if (!negative) {
        value = -value;
        if (value > kHighest) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

bool isNumber(const std::string& zahl) {
    return toInt32(zahl).has_value();
}

}  // namespace taktomat::scheduler
