// Timestamps as scanf "%4d%2d%2d-%2d%2d%2d" reads them, and their FILETIME texts.
#include "catalogue/timestamp.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace zet::catalogue;

auto fields(std::string_view text) {
    const zet::platform::CalendarTime t = parseTimestamp(text);
    return std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

TEST(Timestamp, ReadsAsScanfWithDefaultsForWhatIsMissing) {
    EXPECT_EQ(fields("20100704-083015"), std::tuple(2010, 7, 4, 8, 30, 15));
    EXPECT_EQ(fields("20100704"), std::tuple(2010, 7, 4, 1, 1, 1));
    EXPECT_EQ(fields(""), std::tuple(2000, 1, 1, 1, 1, 1));
    // The second conversion reads "-0": month 0.
    EXPECT_EQ(fields("2010-07-04"), std::tuple(2010, 0, 7, 4, 1, 1));
    EXPECT_EQ(fields("201"), std::tuple(201, 1, 1, 1, 1, 1));
    // White space before a number is skipped and not counted in its width.
    EXPECT_EQ(fields("  2010 \t07\n04-  08 3"), std::tuple(2010, 7, 4, 8, 3, 1));
    // The literal "-" skips nothing: a blank before it stops the reading.
    EXPECT_EQ(fields("20100704 -083015"), std::tuple(2010, 7, 4, 1, 1, 1));
    // A sign counts in the width; a sign without digits stops the reading.
    EXPECT_EQ(fields("+201+7-4"), std::tuple(201, 7, -4, 1, 1, 1));
    EXPECT_EQ(fields("+2010+7-4"), std::tuple(201, 0, 7, 4, 1, 1));
    EXPECT_EQ(fields("2010+x"), std::tuple(2010, 1, 1, 1, 1, 1));
    EXPECT_EQ(fields("20100704-0830xx"), std::tuple(2010, 7, 4, 8, 30, 1));
    EXPECT_EQ(fields("x20100704"), std::tuple(2000, 1, 1, 1, 1, 1));
}

TEST(Timestamp, ConvertsAsUtcAndGivesZeroForNoValidTime) {
    EXPECT_EQ(timestampToFileTime("20100704-083015"), 129227058150000000u);
    EXPECT_EQ(timestampToFileTime(""), 125911620610000000u);
    EXPECT_EQ(timestampToFileTime("16010101-000000"), 0u);
    EXPECT_EQ(timestampToFileTime("16010101-000001"), 10000000u);
    EXPECT_EQ(timestampToFileTime("20000229-000000"),
              timestampToFileTime("20000228-000000") + 864000000000u);
    for (const char* invalid :
         {"2010-07-04", "201", "19000229-000000", "20100230", "20101301", "20100704-240000",
          "20100704-006000", "20100704-000060", "16001231-235959", "-2010", "00000101"})
        EXPECT_EQ(timestampToFileTime(invalid), 0u) << invalid;
    EXPECT_EQ(timestampToFileTime("99991231-235959"), 2650467743990000000u);
}

} // namespace
