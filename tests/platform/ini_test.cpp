// The INI layer: the same contract from the profile calls on Windows and our own on POSIX.
#include "platform/ini.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace {

using zet::platform::readIniString;
using zet::platform::writeIniString;
using zettest::readFile;
using zettest::TempDir;
using zettest::writeFile;

TEST(Ini, CreatesFileSectionsAndKeysInOrder) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    EXPECT_EQ(readIniString(path, "s", "k"), "");
    EXPECT_TRUE(writeIniString(path, ".g1", "fi", "N1"));
    EXPECT_TRUE(writeIniString(path, ".g1", "sv", ""));
    EXPECT_TRUE(writeIniString(path, ".g2", "fi", "X"));
    EXPECT_TRUE(writeIniString(path, ".G1", "Dics", "a"));
    EXPECT_TRUE(writeIniString(path, ".g1", "FI", "N2"));
    EXPECT_EQ(readFile(path), "[.g1]\r\nfi=N2\r\nsv=\r\nDics=a\r\n[.g2]\r\nfi=X\r\n");
    EXPECT_EQ(readIniString(path, ".G1", "fi"), "N2");
    EXPECT_EQ(readIniString(path, ".g1", "dics"), "a");
    EXPECT_EQ(readIniString(path, ".g1", "en"), "");
    EXPECT_EQ(readIniString(path, ".g3", "fi"), "");
}

TEST(Ini, ReadsValuesWholeAndTrimmed) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    const std::string longValue = std::string(3000, 'x') + "END";
    writeFile(path, "[a]\r\n  k1 =  v 1  \r\nq=\"quoted\"\r\nlong=" + longValue + "\r\n");
    EXPECT_EQ(readIniString(path, "a", "k1"), "v 1");
    EXPECT_EQ(readIniString(path, "a", "q"), "quoted");
    EXPECT_EQ(readIniString(path, "a", "long"), longValue);
    for (const std::size_t size : {498, 499, 500, 511, 512, 1023}) {
        EXPECT_TRUE(writeIniString(path, "b", "v", std::string(size, 'v')));
        EXPECT_EQ(readIniString(path, "b", "v").size(), size);
    }
}

TEST(Ini, NamesWithBracketsAndEqualsSignsReadBack) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    EXPECT_TRUE(writeIniString(path, ".g]x", "fi", "br"));
    EXPECT_TRUE(writeIniString(path, ".g=x", "fi", "eq"));
    EXPECT_TRUE(writeIniString(path, ".g", "fi", "a=b"));
    EXPECT_EQ(readIniString(path, ".g]x", "fi"), "br");
    EXPECT_EQ(readIniString(path, ".g=x", "fi"), "eq");
    EXPECT_EQ(readIniString(path, ".g", "fi"), "a=b");
}

TEST(Ini, AFolderIsNoFile) {
    TempDir dir;
    EXPECT_EQ(readIniString(dir.str(), "s", "k"), "");
    EXPECT_FALSE(writeIniString(dir.str(), "s", "k", "v"));
}

// Our own layer keeps every other line and refuses what would not read back the same; the
// profile calls of Windows rewrite the file their own way, so these are POSIX-only.
#ifndef _WIN32
TEST(PosixIni, EditsInPlaceAndKeepsOtherLines) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, "; head\r\n\r\n[a]\r\n  k1 = v1  \r\n;c\r\nk2=v2\r\n\r\n[b]\nx=1\nnokey\n"
                    "[c]\r\nlast=1");
    EXPECT_TRUE(writeIniString(path, "A", "K1", "new"));
    EXPECT_TRUE(writeIniString(path, "a", "k3", "add"));
    EXPECT_TRUE(writeIniString(path, "c", "k4", "add"));
    EXPECT_TRUE(writeIniString(path, "d", "k5", "sec"));
    EXPECT_EQ(readFile(path), "; head\r\n\r\n[a]\r\nk1=new\r\n;c\r\nk2=v2\r\nk3=add\r\n\r\n[b]\r\n"
                              "x=1\r\nnokey\r\n[c]\r\nlast=1\r\nk4=add\r\n[d]\r\nk5=sec\r\n");
}

TEST(PosixIni, FirstMatchingSectionAndKeyCount) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, "[s]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(readIniString(path, "s", "k"), "1");
    EXPECT_EQ(readIniString(path, "s", "j"), "");
    EXPECT_TRUE(writeIniString(path, "s", "k", "W"));
    EXPECT_EQ(readFile(path), "[s]\r\nk=W\r\nk=2\r\n[S]\r\nk=3\r\nj=4\r\n");
}

TEST(PosixIni, RefusesLineBreaksAndBadKeys) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, "[s]\r\nk=1\r\n");
    EXPECT_FALSE(writeIniString(path, "s", "k", "a\r\nb"));
    EXPECT_FALSE(writeIniString(path, "s", "k", "a\rb"));
    EXPECT_FALSE(writeIniString(path, "s\nt", "k", "v"));
    EXPECT_FALSE(writeIniString(path, "s", "k=j", "v"));
    EXPECT_FALSE(writeIniString(path, "s", " ", "v"));
    EXPECT_FALSE(writeIniString(path, "", "k", "v"));
    EXPECT_EQ(readFile(path), "[s]\r\nk=1\r\n");
}
#endif

// The Unicode builds reach the file through the "W" profile calls, which must keep it 8-bit.
TEST(Ini, NewAndExistingFilesStayInTheAnsiCodePage) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    EXPECT_TRUE(writeIniString(path, "caf\xE9", "n\xE9", "v\xE9"));
    EXPECT_EQ(readFile(path), "[caf\xE9]\r\nn\xE9=v\xE9\r\n");
    EXPECT_TRUE(writeIniString(path, "caf\xE9", "k", "\xC0"));
    EXPECT_EQ(readFile(path), "[caf\xE9]\r\nn\xE9=v\xE9\r\nk=\xC0\r\n");
    EXPECT_EQ(readIniString(path, "CAF\xE9", "n\xE9"), "v\xE9");
}

} // namespace
