#include "catalogue/text.h"

#include <algorithm>
#include <cstdint>

namespace zet::catalogue {

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t countLines(std::string_view text) {
    if (text.empty()) return 0;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    if (!isLineEnd(text.back())) ++lines;
    return lines;
}

std::size_t nextLine(std::string_view text, std::size_t start, std::string_view& line,
                     std::size_t capacity) {
    start = std::min(start, text.size());
    std::size_t end = start;
    while (end < text.size() && !isLineEnd(text[end])) ++end;
    const std::size_t length = end - start;
    line = length + 1 > capacity ? std::string_view() : text.substr(start, length);
    if (end == text.size()) return end;
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
    return end + 1;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator,
                                      std::size_t maxFields) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (pieces.size() < maxFields) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::string fieldText(const std::vector<std::string_view>& pieces, std::size_t k,
                      std::size_t capacity) {
    if (k >= pieces.size()) return {};
    std::string_view field = pieces[k];
    if (k > 0) field.remove_prefix(std::min(field.size(), field.find_first_not_of(' ')));
    field = field.substr(0, std::min(field.size(), capacity == 0 ? 0 : capacity - 1));
    const std::size_t last = field.find_last_not_of(' ');
    return std::string(field.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

std::string extractField(std::string_view text, char separator, std::size_t k,
                         std::size_t capacity) {
    if (k == std::numeric_limits<std::size_t>::max()) return {};
    return fieldText(splitAt(text, separator, k + 1), k, capacity);
}

int parseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number, whose range is the larger, and stop at the limit.
    constexpr std::int64_t kLowest = std::numeric_limits<int>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::max(kLowest, value * 10 - (text[i] - '0'));
    if (!negative)
        return static_cast<int>(std::min<std::int64_t>(-value, std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}

} // namespace zet::catalogue
