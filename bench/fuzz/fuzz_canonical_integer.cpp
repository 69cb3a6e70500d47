// What an integer entry box keeps once it loses the focus, for any bytes at all: the parser
// and the canonical text are checked against a second, deliberately plain reading of the rule,
// written without the saturating arithmetic the real one relies on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/integer_text.h"
#include "ui/integer_input.h"

namespace {

struct Reference {
    bool hasNumber = false;
    bool negative = false;
    std::string digits;  // the magnitude without leading zeros; "0" for zero
};

// Leading ASCII spaces only (a tab or a no-break space ends the number before it starts), one
// optional sign, then the digits up to the first byte that is not one.
Reference readReference(std::string_view text) {
    Reference r;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        r.negative = text[i] == '-';
        ++i;
    }
    const std::size_t first = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == first) return r;
    r.hasNumber = true;
    std::size_t lead = first;
    while (lead + 1 < i && text[lead] == '0') ++lead;
    r.digits = std::string(text.substr(lead, i - lead));
    if (r.digits == "0") r.negative = false;
    return r;
}

// The digit strings compared as numbers, both without leading zeros.
bool magnitudeAbove(const std::string& digits, const std::string& limit) {
    if (digits.size() != limit.size()) return digits.size() > limit.size();
    return digits > limit;
}

// The clamped value as text, worked out on the digits so that no arithmetic can overflow.
std::string referenceCanonical(const Reference& r) {
    if (!r.hasNumber) return "";
    if (r.negative) return magnitudeAbove(r.digits, "2147483648") ? "-2147483648" : "-" + r.digits;
    return magnitudeAbove(r.digits, "2147483647") ? "2147483647" : r.digits;
}

std::string printable(std::string_view s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

[[noreturn]] void fail(const char* what, std::string_view input, const std::string& expected,
                       const std::string& actual) {
    std::fprintf(stderr,
                 "MISMATCH in %s\n  input    \"%s\"\n  expected \"%s\"\n  actual   \"%s\"\n", what,
                 printable(input).c_str(), printable(expected).c_str(), printable(actual).c_str());
    std::abort();
}

std::string describe(const std::optional<int>& v) {
    return v ? std::to_string(*v) : "nullopt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Reference ref = readReference(text);
    const std::string expected = referenceCanonical(ref);

    const std::optional<int> value = tavrel::integerValue(text);
    const std::optional<int> expectedValue =
        ref.hasNumber ? std::optional<int>(std::stoi(expected)) : std::nullopt;
    if (value != expectedValue)
        fail("integerValue", text, describe(expectedValue), describe(value));

    const std::string canonical = tavrel::canonicalInteger(text);
    if (canonical != expected) fail("canonicalInteger", text, expected, canonical);

    // A box that loses the focus twice must not change the second time.
    const std::string again = tavrel::canonicalInteger(canonical);
    if (again != canonical) fail("canonicalInteger twice", canonical, canonical, again);
    if (tavrel::integerValue(canonical) != value)
        fail("integerValue of the canonical text", canonical, describe(value),
             describe(tavrel::integerValue(canonical)));

    // The decimal writer on its own, over the whole range it takes: the first eight bytes as a
    // 64-bit value, against the reading above run backwards.
    if (size >= sizeof(long long)) {
        long long n;
        std::memcpy(&n, data, sizeof n);
        const std::string written = tavrel::integerToText(n);
        const unsigned long long magnitude =
            n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
        std::string digits;
        unsigned long long m = magnitude;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + m % 10));
            m /= 10;
        } while (m != 0);
        const std::string want = (n < 0 ? "-" : "") + digits;
        if (written != want) fail("integerToText", std::string_view(text.data(), 8), want, written);
    }
    return 0;
}
