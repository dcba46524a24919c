// The file-time text writer and reader, on the same tables in both builds.
#include "catalogue/timetext.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

struct Case {
    std::string_view text;
    std::uint32_t high;
    std::uint32_t low;
};

TEST(FileTimeText, ReadsAsScanfReadsTwoHexNumbers) {
    const std::vector<Case> cases = {
        {"1cb1b53 20664580", 0x1cb1b53, 0x20664580},
        {"1CB1B53 ABCDEF01", 0x1cb1b53, 0xabcdef01},
        {"ffffffff ffffffff", 0xffffffff, 0xffffffff},
        {"0 0", 0, 0},
        {"1cb1b53", 0x1cb1b53, 0}, // one number: low stays 0
        {"", 0, 0},                // nothing at all
        {"   ", 0, 0},
        {"zz 5", 0, 0}, // first conversion fails: both stay 0
        {"x 1", 0, 0},
        {"-", 0, 0}, // a sign without digits converts nothing
        {"- 5", 0, 0},
        {"12,34", 0x12, 0}, // the second number must follow white space
        {"12 zz", 0x12, 0},
        {"1 -", 1, 0},
        {" \t1a\n\r2b", 0x1a, 0x2b}, // any white space before and between
        {"1a2b", 0x1a2b, 0},
        {"a b c", 0xa, 0xb}, // text after the second number is ignored
        {"5 6trailing", 5, 6},
        {"0x1F 0X2", 0x1f, 2},             // an optional 0x before each number
        {"0x 5", 0, 5},                    // a bare 0x is the number 0
        {"0xg 5", 0, 0},                   // ... and the g stops the second number
        {"00x5 3", 0, 0},                  // 0x only counts at the start of a number
        {"-1 -2", 0xffffffff, 0xfffffffe}, // a sign wraps around
        {"+a +b", 0xa, 0xb},
        {"-0x10 1", 0xfffffff0, 1},
        {"123456789 1", 0x23456789, 1}, // more than eight digits keep the lowest 32 bits
        {"ffffffffffffffffff1 2", 0xfffffff1, 2},
    };
    for (const Case& c : cases) {
        const zet::catalogue::FileTimeHalves halves = zet::catalogue::parseFileTimeText(c.text);
        EXPECT_EQ(halves.high, c.high) << '"' << c.text << '"';
        EXPECT_EQ(halves.low, c.low) << '"' << c.text << '"';
    }
    EXPECT_EQ((zet::catalogue::FileTimeHalves{0x1cb1b53, 0x20664580}.value()), 0x01cb1b5320664580u);
}

TEST(FileTimeText, HighThenLowHalfInLowercaseHex) {
    EXPECT_EQ(zet::catalogue::fileTimeText(129227058150000000u), "1cb1b53 20664580");
    EXPECT_EQ(zet::catalogue::fileTimeText(125911620610000000u), "1bf53f3 ab8d8480");
    EXPECT_EQ(zet::catalogue::fileTimeText(0), "0 0");
    EXPECT_EQ(zet::catalogue::fileTimeText(0xFFFFFFFF0000000Au), "ffffffff a");
}

TEST(FileTimeText, WhatIsWrittenReadsBackAsTheSameTime) {
    for (const std::uint64_t time :
         {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{0xffffffff}, std::uint64_t{0x100000000},
          std::uint64_t{129227058150000000u}, ~std::uint64_t{0}})
        EXPECT_EQ(zet::catalogue::parseFileTimeText(zet::catalogue::fileTimeText(time)).value(),
                  time)
            << time;
}

} // namespace
