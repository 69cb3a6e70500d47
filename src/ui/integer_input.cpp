#include "ui/integer_input.h"

#include "app/integer_text.h"

namespace tavrel {

std::string canonicalInteger(std::string_view text) {
    const auto value = integerValue(text);
    return value ? integerToText(*value) : std::string();
}

}  // namespace tavrel
