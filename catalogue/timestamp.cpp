#include "catalogue/timestamp.h"

#include "catalogue/text.h"

#include <algorithm>
#include <array>
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

// The length of the usual shape, 20100704-083015.
constexpr std::size_t kPlainLength = 15;

// The two digits at `at` as a number, or -1 when either is no digit.
int twoDigits(std::string_view text, std::size_t at) {
    const unsigned high = static_cast<unsigned char>(text[at]) - unsigned{'0'};
    const unsigned low = static_cast<unsigned char>(text[at + 1]) - unsigned{'0'};
    return high <= 9 && low <= 9 ? static_cast<int>(high * 10 + low) : -1;
}

// The usual shape, 20100704-083015 and whatever follows: scanf reads it as the plain digit
// groups, so none of the general walk's white space and signs can apply.
inline bool readPlainTimestamp(std::string_view text, platform::CalendarTime& time) {
    if (text.size() < kPlainLength || text[8] != '-') return false;
    const std::array<int, 7> pairs{twoDigits(text, 0), twoDigits(text, 2), twoDigits(text, 4),
                                   twoDigits(text, 6), twoDigits(text, 9), twoDigits(text, 11),
                                   twoDigits(text, 13)};
    for (const int pair : pairs)
        if (pair < 0) return false;
    time = {pairs[0] * 100 + pairs[1], pairs[2], pairs[3], pairs[4], pairs[5], pairs[6]};
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

bool isExactTimestamp(std::string_view text) {
    platform::CalendarTime time;
    return text.size() == kPlainLength && readPlainTimestamp(text, time);
}

std::uint64_t timestampToFileTime(std::string_view text) {
    return platform::systemTimeToFileTime(parseTimestamp(text)).value_or(0);
}

} // namespace zet::catalogue
