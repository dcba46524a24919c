// Lines, fields and numbers of the catalogue format.
#include "catalogue/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using namespace zet::catalogue;
using namespace std::string_literals;

TEST(CountLines, EveryLineEndCountsOnceAndAnUnendedLastLineToo) {
    EXPECT_EQ(countLines(""), 0u);
    EXPECT_EQ(countLines("H\nA\n"), 2u);
    EXPECT_EQ(countLines("H\nA"), 2u);
    EXPECT_EQ(countLines("H\n\nA"), 3u);
    EXPECT_EQ(countLines("H\r\nA\rB\nC"), 4u);
    EXPECT_EQ(countLines("\r"), 1u);
    EXPECT_EQ(countLines("\r\r\n"), 2u);
}

// The field rule as a literal character walk: the reference the one-pass split must match.
std::string walkField(std::string_view text, char separator, std::size_t k, std::size_t capacity) {
    std::string out;
    std::size_t met = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            if (met == k) break;
            ++met;
            while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
        } else if (met == k && out.size() + 1 < capacity) {
            out.push_back(text[i]);
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

TEST(FieldView, MatchesTheCharacterWalkOnRandomText) {
    std::mt19937 random(7);
    const std::string alphabet = "ab |;@\t";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        const std::size_t capacity = 1 + random() % 8;
        std::vector<std::string_view> pieces(
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '|')) + 1);
        splitInto(text, '|', pieces);
        for (std::size_t k = 0; k < 8; ++k) {
            const std::string expected = walkField(text, '|', k, capacity);
            ASSERT_EQ(fieldView(pieces, k, capacity), expected) << text << " k=" << k;
        }
    }
}

TEST(ParseNumber, ReadsAsAtoiAndSaturates) {
    EXPECT_EQ(parseNumber("007"), 7);
    EXPECT_EQ(parseNumber(" \t\n-12x3"), -12);
    EXPECT_EQ(parseNumber("+5"), 5);
    EXPECT_EQ(parseNumber("abc"), 0);
    EXPECT_EQ(parseNumber(""), 0);
    EXPECT_EQ(parseNumber("- 5"), 0);
    EXPECT_EQ(parseNumber("2147483647"), 2147483647);
    EXPECT_EQ(parseNumber("2147483648"), 2147483647);
    EXPECT_EQ(parseNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseNumber("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(parseNumber("9999999999999999999"), 2147483647);
}

} // namespace
