#include "catalogue/timetext.h"

#include "catalogue/text.h"
#include "platform/textrules.h"

#include <optional>

namespace zet::catalogue {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void skipSpace(std::string_view text, std::size_t& at) {
    while (at < text.size() && isSpace(text[at])) ++at;
}

// One "%x" conversion from `at`, which moves past what was read. nullopt when no digit came.
std::optional<std::uint32_t> readHex(std::string_view text, std::size_t& at) {
    skipSpace(text, at);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || hexDigit(text[at]) < 0) return std::nullopt;
    // "0x" with no digit after it still reads as the number 0, the "x" consumed with it.
    if (text[at] == '0' && at + 1 < text.size() && (text[at + 1] == 'x' || text[at + 1] == 'X'))
        at += 2;
    std::uint32_t value = 0;
    for (; at < text.size() && hexDigit(text[at]) >= 0; ++at)
        value = (value << 4) | static_cast<std::uint32_t>(hexDigit(text[at]));
    return negative ? 0u - value : value;
}

} // namespace

FileTimeHalves parseFileTimeText(std::string_view text) {
    FileTimeHalves halves;
    std::size_t at = 0;
    const auto high = readHex(text, at);
    if (!high) return halves;
    halves.high = *high;
    halves.low = readHex(text, at).value_or(0);
    return halves;
}

std::string fileTimeText(std::uint64_t fileTime) {
    // Each half as "%x" writes it: without leading zeros, but one digit at least.
    std::string text;
    for (const int shift : {32, 0}) {
        if (shift == 0) text += ' ';
        const auto half = static_cast<std::uint32_t>(fileTime >> shift);
        for (int digit = 28; digit >= 0; digit -= 4)
            if (digit == 0 || half >> digit != 0)
                text += platform::kHexDigits[(half >> digit) & 0xF];
    }
    return text;
}

} // namespace zet::catalogue
