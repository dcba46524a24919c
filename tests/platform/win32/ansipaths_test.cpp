// The ANSI build's path rule under the code pages installers meet, checked in every Windows build.
#include "platform/win32/ansipaths.h"

#include <gtest/gtest.h>

namespace {

using zet::platform::win32::ansiEndsInSeparator;
using zet::platform::win32::ansiPathLength;

struct Case {
    unsigned codePage;
    std::string_view path;
    bool endsInSeparator;
    std::size_t length;
};

// 表 is 95 5C in code page 932, 乗 81 5C in 936 and 許 B3 5C in 950; in 1252 95 is a character of
// its own, and UTF-8 never has a 5C inside a character.
constexpr Case kCases[] = {
    {932, "C:\\d\\\x95\x5c", false, 6},
    {932, "C:\\d\\\x95\x5c\\", true, 7},
    {932, "C:\\d\\\x95\x5c\x95\x5c", false, 7},
    {932, "\x95", false, 1},
    {936, "C:\\\x81\x5c", false, 4},
    {950, "C:\\\xb3\x5c", false, 4},
    {1252, "C:\\\x95\x5c", true, 5},
    {65001, "C:\\\xc3\xa9\\", true, 5},
    {932, "", false, 0},
};

TEST(AnsiPaths, StepOverDoubleByteCharacters) {
    for (const Case& c : kCases) {
        EXPECT_EQ(ansiEndsInSeparator(c.path, c.codePage), c.endsInSeparator)
            << c.codePage << " " << c.path;
        EXPECT_EQ(ansiPathLength(c.path, c.codePage), c.length) << c.codePage << " " << c.path;
    }
}

} // namespace
