#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// Decimal, "-" for negatives, no leading zeros or spaces: 7 gives "7".
std::string integerToText(long long value);

// The integer value of a text as the entry boxes read it: leading spaces skipped, an optional
// sign, then decimal digits up to the first other character, clamped to the 32-bit range.
// No digits at all gives nullopt.
std::optional<int> integerValue(std::string_view text);

}  // namespace tavrel
