#include "catalogue/timestamp.h"

#include "catalogue/text.h"

#include <algorithm>
#include <cstddef>

namespace zet::catalogue {

namespace {

// One "%Nd" conversion: white space skipped (not counted in the width), then an optional sign
// and digits, at most `width` characters in all. False, with nothing stored, when no digit
// follows; the width keeps the value far below any overflow.
bool scanNumber(std::string_view text, std::size_t& at, std::size_t width, int& value) {
    while (at < text.size() && isSpace(text[at])) ++at;
    std::size_t i = at;
    const std::size_t end = std::min(text.size(), at + width);
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digits = i;
    int result = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) result = result * 10 + (text[i] - '0');
    if (i == digits) return false;
    at = i;
    value = negative ? -result : result;
    return true;
}

// The value of the `width` digits at `at`, or -1 when one of them is no digit.
int digitsAt(std::string_view text, std::size_t at, std::size_t width) {
    int value = 0;
    for (const char c : text.substr(at, width)) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The usual shape, 15 characters of digits with "-" at 8: scanf reads it as the plain digit
// groups, so no conversion of the general walk is needed.
bool readPlainTimestamp(std::string_view text, platform::CalendarTime& time) {
    constexpr std::size_t kPlainLength = 15;
    if (text.size() < kPlainLength || text[8] != '-') return false;
    const int date = digitsAt(text, 0, 8);
    const int clock = digitsAt(text, 9, 6);
    if (date < 0 || clock < 0) return false;
    time = {date / 10000,  date / 100 % 100,  date % 100,
            clock / 10000, clock / 100 % 100, clock % 100};
    return true;
}

} // namespace

platform::CalendarTime parseTimestamp(std::string_view text) {
    platform::CalendarTime time{2000, 1, 1, 1, 1, 1};
    if (readPlainTimestamp(text, time)) return time;
    std::size_t at = 0;
    if (!scanNumber(text, at, 4, time.year) || !scanNumber(text, at, 2, time.month) ||
        !scanNumber(text, at, 2, time.day))
        return time;
    // A literal in a scanf format matches exactly; it skips no white space before it.
    if (at >= text.size() || text[at] != '-') return time;
    ++at;
    if (scanNumber(text, at, 2, time.hour) && scanNumber(text, at, 2, time.minute))
        scanNumber(text, at, 2, time.second);
    return time;
}

std::uint64_t timestampToFileTime(std::string_view text) {
    return platform::systemTimeToFileTime(parseTimestamp(text)).value_or(0);
}

std::string fileTimeText(std::uint64_t fileTime) {
    const auto hex = [](std::uint32_t value) {
        constexpr std::string_view kDigits = "0123456789abcdef";
        std::string text;
        do {
            text.insert(text.begin(), kDigits[value % 16]);
            value /= 16;
        } while (value != 0);
        return text;
    };
    return hex(static_cast<std::uint32_t>(fileTime >> 32)) + " " +
           hex(static_cast<std::uint32_t>(fileTime));
}

} // namespace zet::catalogue
