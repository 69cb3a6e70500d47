#include "ui/integer_input.h"

#include <gtest/gtest.h>

#include "app/integer_text.h"

namespace tavrel {
namespace {

struct Rewrite {
    const char* typed;
    const char* shown;
};

class CanonicalRewrite : public testing::TestWithParam<Rewrite> {};

TEST_P(CanonicalRewrite, LeavesTheBoxInDecimalForm) {
    EXPECT_EQ(canonicalInteger(GetParam().typed), GetParam().shown)
        << "typed \"" << GetParam().typed << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CanonicalRewrite,
    testing::Values(Rewrite{"08", "8"}, Rewrite{"8a", "8"}, Rewrite{"0", "0"}, Rewrite{"00", "0"},
                    Rewrite{"-0", "0"}, Rewrite{"-", ""}, Rewrite{"", ""}, Rewrite{"abc", ""},
                    Rewrite{"-5", "-5"}, Rewrite{"--5", ""}, Rewrite{"5-", "5"},
                    Rewrite{"  7", "7"}, Rewrite{"+7", "7"}, Rewrite{" -07x", "-7"},
                    Rewrite{"2147483647", "2147483647"}, Rewrite{"2147483648", "2147483647"},
                    Rewrite{"99999999999", "2147483647"}, Rewrite{"-2147483648", "-2147483648"},
                    Rewrite{"-99999999999999999999", "-2147483648"}, Rewrite{"７", ""},
                    Rewrite{"\t7", ""}));

TEST(TypedCharacters, OnlyDigitsAndMinusAreTaken) {
    for (char32_t c = U'0'; c <= U'9'; ++c) EXPECT_TRUE(acceptsTypedCharacter(c));
    EXPECT_TRUE(acceptsTypedCharacter(U'-'));
    for (char32_t c : {U'x', U'+', U' ', U'.', U'时', U'７', U'/', U':'})
        EXPECT_FALSE(acceptsTypedCharacter(c));
}

TEST(IntegerToText, DecimalWithoutPaddingAndWithSign) {
    EXPECT_EQ(integerToText(7), "7");
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(-12), "-12");
    EXPECT_EQ(integerToText(59), "59");
}

}  // namespace
}  // namespace tavrel
