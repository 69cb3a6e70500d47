#include "app/integer_text.h"

#include <climits>

namespace tavrel {

std::string integerToText(long long value) {
    return std::to_string(value);
}

std::optional<int> integerValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    // Accumulate as a magnitude that saturates just past the 32-bit range, so any number of
    // digits is safe and clamping is exact.
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) magnitude = 2147483648LL;
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

}  // namespace tavrel
