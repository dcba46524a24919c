#include "catalogue/text.h"

#include <algorithm>
#include <cstdint>

namespace zet::catalogue {

namespace {

// The first `c` at or after `from`, or the size of the text.
std::size_t findOrEnd(std::string_view text, char c, std::size_t from) {
    return std::min(text.find(c, from), text.size());
}

} // namespace

LineReader::LineReader(std::string_view text)
    : text_(text), at_(0), cr_(findOrEnd(text, '\r', 0)), lf_(findOrEnd(text, '\n', 0)) {}

std::size_t LineReader::upcoming(std::size_t& found, char c) const {
    if (found < at_) found = findOrEnd(text_, c, at_);
    return found;
}

std::string_view LineReader::next(std::size_t capacity) {
    const std::size_t end = std::min(upcoming(cr_, '\r'), upcoming(lf_, '\n'));
    const std::size_t length = end - at_;
    const std::string_view line =
        length + 1 > capacity ? std::string_view() : text_.substr(at_, length);
    at_ = end;
    if (end < text_.size())
        at_ += text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1;
    return line;
}

std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (LineReader reader(text); !reader.atEnd(); reader.next(0)) ++lines;
    return lines;
}

std::string_view cutOff(std::string_view piece, bool afterSeparator, std::size_t capacity) {
    std::string_view lost =
        piece.substr(fieldLimit(piece, fieldStart(piece, afterSeparator), capacity));
    while (!lost.empty() && lost.back() == ' ') lost.remove_suffix(1);
    return lost;
}

namespace {

// The one walk of a number, inlined into both readers so that parseNumber pays nothing for the
// end it does not need.
inline NumberReading scanNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number, whose range is the larger, and stop at the limit.
    constexpr std::int64_t kLowest = std::numeric_limits<int>::min();
    std::int64_t value = 0;
    const std::size_t digits = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::max(kLowest, value * 10 - (text[i] - '0'));
    const std::size_t end = i > digits ? i : 0;
    if (!negative)
        return {static_cast<int>(std::min<std::int64_t>(-value, std::numeric_limits<int>::max())),
                end};
    return {static_cast<int>(value), end};
}

} // namespace

NumberReading readNumber(std::string_view text) {
    return scanNumber(text);
}

int parseNumber(std::string_view text) {
    return scanNumber(text).value;
}

} // namespace zet::catalogue
