#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// The integer entry boxes take only digits and "-" from the keyboard; control keys are not
// characters and always work.
constexpr bool acceptsTypedCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'-';
}

// What an integer box holds after it loses the focus: the integer value of its text in
// decimal, or the empty text when the text has no number in it. "08" gives "8", "0" gives
// "0", "-" gives "".
std::string canonicalInteger(std::string_view text);

}  // namespace tavrel
