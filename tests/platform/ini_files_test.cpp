// The INI layer on files as the Windows profile calls treat them: one session's writes, UTF-16LE
// files, NUL bytes in lines and values too long for the profile call.
#include "platform/ini.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using zet::platform::IniSession;
using zet::platform::readIniString;
using zet::platform::writeIniString;
using zettest::readFile;
using zettest::TempDir;
using zettest::utf16;
using zettest::writeFile;

#ifdef _WIN32
// The system's profile calls: they write every key when it is set, and limit a value.
constexpr bool kProfileCalls = true;
#else
constexpr bool kProfileCalls = false;
#endif

TEST(IniSession, ReadsSeeTheWritesAndTheFileChangesOnCommit) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, "[.g]\r\nDics=z\r\n");
    {
        IniSession session;
        EXPECT_TRUE(writeIniString(path, ".g", "Dics", readIniString(path, ".g", "Dics") + ",a"));
        EXPECT_TRUE(writeIniString(path, ".h", "fi", "N"));
        EXPECT_EQ(readIniString(path, ".g", "dics"), "z,a");
        EXPECT_EQ(readIniString(path, ".H", "fi"), "N");
        {
            IniSession inner; // joins the outer session
            EXPECT_TRUE(writeIniString(path, ".h", "sv", "S"));
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_EQ(readFile(path) == "[.g]\r\nDics=z\r\n", !kProfileCalls);
        EXPECT_TRUE(session.commit());
    }
    EXPECT_EQ(readFile(path), "[.g]\r\nDics=z,a\r\n[.h]\r\nfi=N\r\nsv=S\r\n");
}

TEST(IniSession, WithoutCommitNothingIsWritten) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    {
        IniSession session;
        EXPECT_TRUE(writeIniString(path, ".g", "Dics", "a"));
    }
    EXPECT_EQ(std::filesystem::exists(path), kProfileCalls);
}

TEST(IniUtf16, EditedAsUtf16WithTheMarkKept) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, utf16("[.g]\r\nDics=z\r\n"));
    EXPECT_EQ(readIniString(path, ".g", "Dics"), "z");
    EXPECT_TRUE(writeIniString(path, ".g", "Dics", "z,a"));
    EXPECT_TRUE(writeIniString(path, ".h", "fi", "N"));
    EXPECT_EQ(readFile(path), utf16("[.g]\r\nDics=z,a\r\n[.h]\r\nfi=N\r\n"));
    EXPECT_EQ(readIniString(path, ".h", "fi"), "N");
}

TEST(IniUtf16, EightBitTextIsCodePage1252) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, utf16("[.g]\r\n"));
    EXPECT_TRUE(writeIniString(path, ".g", "n", "\x80\xe4"));
    EXPECT_EQ(readFile(path), utf16("[.g]\r\n") + std::string("n\0=\0\xac\x20\xe4\0\r\0\n\0", 12));
    EXPECT_EQ(readIniString(path, ".g", "n"), "\x80\xe4");
    // A character that code page 1252 has not reads as "?".
    writeFile(path, utf16("[.g]\r\nc=") + std::string("\x3d\x04", 2) + utf16("\r\n").substr(2));
    EXPECT_EQ(readIniString(path, ".g", "c"), "?");
}

TEST(IniUtf16, ANewFileIsEightBit) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    EXPECT_TRUE(writeIniString(path, ".g", "Dics", "a"));
    EXPECT_EQ(readFile(path), "[.g]\r\nDics=a\r\n");
}

TEST(IniNul, AValueEndsAtItsFirstNul) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, std::string("[.g]\r\nDics=z\0old\r\nx=1\0tail\r\n", 29));
    EXPECT_EQ(readIniString(path, ".g", "Dics"), "z");
    EXPECT_EQ(readIniString(path, ".g", "x"), "1");
    EXPECT_TRUE(writeIniString(path, ".g", "Dics", "z,a"));
    const std::string written = readFile(path);
    EXPECT_TRUE(written.starts_with("[.g]\r\nDics=z,a\r\nx=1")) << written;
    EXPECT_EQ(readIniString(path, ".g", "Dics"), "z,a");
}

TEST(IniNul, ANameEndsAtItsFirstNul) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    writeFile(path, std::string("[.g\0x]\r\nDi\0cs=q\r\n", 18));
    EXPECT_EQ(readIniString(path, ".g", "Dics"), "");
    EXPECT_EQ(readIniString(path, ".g", "Di"), "q");
}

// The profile calls store a value of up to 32,766 characters whole; a longer one is refused
// so that the key keeps its old value. The POSIX layer stores any length whole.
TEST(IniLongValue, TooLongForTheProfileCallIsNotWritten) {
    TempDir dir;
    const std::string path = dir.file("t.ini");
    const std::string old(32765, 'd');
    EXPECT_TRUE(writeIniString(path, ".g", "Dics", old));
    EXPECT_EQ(readIniString(path, ".g", "Dics"), old);
    EXPECT_TRUE(writeIniString(path, ".g", "Dics", old + "e"));
    EXPECT_EQ(readIniString(path, ".g", "Dics").size(), 32766u);
    const std::string longer = old + ",a";
    EXPECT_EQ(writeIniString(path, ".g", "Dics", longer), !kProfileCalls);
    EXPECT_EQ(readIniString(path, ".g", "Dics"), kProfileCalls ? old + "e" : longer);
    const std::string huge(65537, 'h');
    EXPECT_EQ(writeIniString(path, ".g", "Dics", huge), !kProfileCalls);
    EXPECT_EQ(readIniString(path, ".g", "Dics").size(), kProfileCalls ? 32766u : huge.size());
}

} // namespace
