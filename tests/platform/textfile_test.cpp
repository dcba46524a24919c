// Text-mode reading and appending, as the Windows runtime does them, in both builds.
#include "platform/files.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace {

using zet::platform::appendTextFile;
using zet::platform::readTextFile;
using zettest::TempDir;
using namespace std::string_literals;

TEST(TextFile, ReadsLineEndsAsTextModeDoes) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    // CR LF is one LF, a lone CR stays, CR CR LF is CR LF; Ctrl-Z ends the text.
    zettest::writeFile(path, "a\r\nb\rc\r\r\nd\ne\x1a"
                             "after");
    EXPECT_EQ(readTextFile(path), "a\nb\rc\r\nd\ne");
    zettest::writeFile(path, "\x1a"
                             "x");
    EXPECT_EQ(readTextFile(path), "");
    zettest::writeFile(path, "x\0y\r"s);
    EXPECT_EQ(readTextFile(path), "x\0y\r"s);
}

TEST(TextFile, DeliversAtMostTheLimitAcrossReadBoundaries) {
    TempDir dir;
    const std::string path = dir.file("big.txt");
    // A CR LF on every side of the 64 KiB piece boundary, whichever the system reads in.
    std::string bytes(65535, 'x');
    bytes += "\r\n\r\nyz";
    zettest::writeFile(path, bytes);
    EXPECT_EQ(readTextFile(path), std::string(65535, 'x') + "\n\nyz");
    EXPECT_EQ(readTextFile(path, 65536), std::string(65535, 'x') + "\n");
    EXPECT_EQ(readTextFile(path, 3), "xxx");
}

// Text mode one character at a time: the rule the reads must follow, whatever their pieces.
std::string textModeOf(std::string_view bytes, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1a' && text.size() < limit; ++i)
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') text += bytes[i];
    return text;
}

// Short files of line ends, Ctrl-Z and letters, each read under every limit into a buffer that
// holds the previous, longer read: nothing of it may show through.
TEST(TextFile, EveryLimitGivesTheTextModePrefix) {
    TempDir dir;
    const std::string path = dir.file("m.txt");
    std::string buffer(300, '#');
    unsigned seed = 7;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        for (int i = 0, n = round % 23; i < n; ++i) {
            seed = seed * 1103515245 + 12345;
            bytes += "\r\n\r\na\x1a"[(seed >> 16) % 6];
        }
        zettest::writeFile(path, bytes);
        for (std::size_t limit = 0; limit <= bytes.size() + 1; ++limit) {
            ASSERT_TRUE(zet::platform::readTextFileInto(path, limit, buffer));
            ASSERT_EQ(buffer, textModeOf(bytes, limit)) << round << " " << limit;
        }
    }
    EXPECT_FALSE(zet::platform::readTextFileInto(dir.file("missing"), 10, buffer));
}

TEST(TextFile, OnlyAFileOpens) {
    TempDir dir;
    EXPECT_FALSE(readTextFile(dir.file("missing.txt")));
    EXPECT_FALSE(readTextFile(dir.str()));
    EXPECT_FALSE(readTextFile(""));
    EXPECT_FALSE(readTextFile(dir.file("a") + "\0b"s));
    EXPECT_FALSE(appendTextFile(dir.str(), "x"));
    EXPECT_FALSE(appendTextFile(dir.file("no/such/folder.txt"), "x"));
}

TEST(TextFile, AppendWritesEveryLineEndAsCrLf) {
    TempDir dir;
    const std::string path = dir.file("cfg.txt");
    EXPECT_TRUE(appendTextFile(path, ""));
    EXPECT_EQ(zettest::readFile(path), "");
    EXPECT_TRUE(appendTextFile(path, "a\nb"));
    EXPECT_TRUE(appendTextFile(path, "\n\nc\r\n"));
    EXPECT_EQ(zettest::readFile(path), "a\r\nb\r\n\r\nc\r\r\n");
}

} // namespace

namespace {

TEST(TextFile, RawBytesAreReadUntranslated) {
    TempDir dir;
    const std::string path = dir.file("raw.txt");
    zettest::writeFile(path, "a\r\nb\x1a"
                             "c\0d"s);
    EXPECT_EQ(zet::platform::readFileBytes(path), "a\r\nb\x1a"
                                                  "c\0d"s);
    EXPECT_FALSE(zet::platform::readFileBytes(dir.str()));
    EXPECT_FALSE(zet::platform::readFileBytes(dir.file("missing.txt")));
}

} // namespace
