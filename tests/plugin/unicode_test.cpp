// What the Unicode builds add: paths with every character, texts converted with the ANSI code
// page and refused when it cannot hold them, cuts counted in UTF-16 characters. The test host
// speaks UTF-8 there and the stack's bytes in the 8-bit builds.
#include "plugin/frame.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using zettest::Host;
using zettest::readFile;
using zettest::TempDir;
using zettest::writeFile;
using Strings = std::vector<std::string>;

constexpr bool kWideStack = sizeof(zet::StackChar) > 1;
#if defined(_WIN32)
constexpr bool kAnsiWindows = !kWideStack;
#else
constexpr bool kAnsiWindows = false;
#endif

// A folder name outside every single code page: Polish, Cyrillic and Japanese.
constexpr std::u8string_view kWideName = u8"\u0141ukasz \u0416\u0443\u043a \u8f9e\u66f8";

fs::path fromUtf8(std::u8string_view name) {
    return fs::path(std::u8string(name));
}

std::string utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

// A path as the host pushes it: UTF-8 in the Unicode builds, the native bytes elsewhere.
std::string hostPath(const fs::path& path) {
    if (!kWideStack) return path.string();
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A text with "é" as the host pushes it, and as the ANSI code page (1252 under Wine's C.UTF-8)
// and the 8-bit builds hold it.
const std::string kCafeHost = kWideStack ? "caf\xC3\xA9" : "caf\xE9";
constexpr std::string_view kCafeAnsi = "caf\xE9";

void echoText() {
    const std::string value = zet::popText();
    zet::pushText(value);
}

extern "C" void echoTextExport(void* parent, int size, zet::StackChar* variables,
                               zet::StackNode** top) {
    zet::runExport(parent, size, variables, top, echoText);
}

std::string update(const std::string& folder, const std::string& argument) {
    Host host;
    host.args({folder, argument}).call(updateDuvEvoCfg);
    return host.pop();
}

TEST(StackLayout, TextFollowsTheLink) {
    // 4 bytes on x86, 8 on amd64: the installer's own node layout.
    EXPECT_EQ(offsetof(zet::StackNode, text), sizeof(void*));
}

TEST(UnicodeStack, CutsCountCharactersNotBytes) {
    if (!kWideStack) GTEST_SKIP() << "the 8-bit builds count bytes, which are their characters";
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "\xC3\xA9";
    Host host;
    host.stringSize = 4096;
    host.push(many).call(echoTextExport, 4096);
    std::string expected;
    for (int i = 0; i < 1023; ++i) expected += "\xC3\xA9";
    EXPECT_EQ(host.stack(), Strings{expected});
    host.call(echoTextExport, 4);
    EXPECT_EQ(host.stack(), Strings{"\xC3\xA9\xC3\xA9\xC3\xA9"});
}

TEST(UnicodeStack, TextsOutsideTheCodePageReadAsQuestionMarks) {
    if (!kWideStack) GTEST_SKIP() << "the 8-bit builds pass the stack's bytes unconverted";
    Host host;
    // Cyrillic, and a full-width "1" that a best-fit conversion would turn into "1".
    host.push("a\xD0\x96"
              "b\xEF\xBC\x91")
        .call(echoTextExport);
    EXPECT_EQ(host.stack(), Strings{"a?b?"});
}

TEST(UnicodeStack, DictionaryNameIsWrittenInTheAnsiCodePage) {
    TempDir dir;
    writeFile(dir.path() / "groups.ini", "g=" + std::string(kCafeAnsi) + "\r\n");
    EXPECT_EQ(update(dir.str(), kCafeHost), "ok");
    const std::string cfg = readFile(dir.path() / "duvevo.cfg");
    EXPECT_NE(cfg.find("Dics=" + std::string(kCafeAnsi) + "\r\n"), std::string::npos) << cfg;
}

TEST(UnicodeStack, NameTheCodePageCannotHoldWritesNothing) {
    if (!kWideStack) GTEST_SKIP() << "only the Unicode builds convert the name to the code page";
    TempDir dir;
    // A best-fit conversion would make the full-width name "ab" and merge it into the group.
    writeFile(dir.path() / "groups.ini", "g=ab\r\ng=?\r\n");
    for (const char* name : {"\xEF\xBD\x81\xEF\xBD\x82", "\xD0\x96"}) {
        EXPECT_EQ(update(dir.str(), name), "ok");
        EXPECT_FALSE(fs::exists(dir.path() / "duvevo.cfg")) << name;
    }
}

TEST(UnicodeStack, DictionaryFileNamedInTheCodePageIsFound) {
    if (kAnsiWindows) GTEST_SKIP() << "test files are named through std::filesystem, not in ANSI";
    TempDir dir;
    const fs::path own = kWideStack ? fromUtf8(u8"caf\u00e9.cfg") : fs::path("caf\xE9.cfg");
    writeFile(dir.path() / own, "[LONG_NAMES]\r\nenTE=Coffee\r\n");
    EXPECT_EQ(update(dir.str(), kCafeHost), "ok");
    const std::string cfg = readFile(dir.path() / "duvevo.cfg");
    EXPECT_NE(cfg.find("en=Coffee"), std::string::npos) << cfg;
}

// The whole installation's calls in a folder whose name no ANSI code page holds.
class WideFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kAnsiWindows) GTEST_SKIP() << "the ANSI build reaches only paths of its code page";
        folder = dir.path() / fromUtf8(kWideName);
        fs::create_directories(folder);
    }
    std::string in(std::u8string_view name) const { return hostPath(folder / fromUtf8(name)); }

    TempDir dir;
    fs::path folder;
};

TEST_F(WideFolder, CatalogueIsRead) {
    writeFile(folder / fromUtf8(u8"\u8f9e\u66f8.txt"),
              "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\r\n0 | enfr | enfr.dic@20110214-093000 | EF | 12\r\n");
    Host header;
    header.args({in(u8"\u8f9e\u66f8.txt")}).call(loadDicInfo);
    EXPECT_EQ(header.pop(), "ok");
    Host files;
    files.args({in(u8"\u8f9e\u66f8.txt"), "1", "0"}).call(dicFiles);
    EXPECT_EQ(files.stack(), (Strings{"enfr", "1", "enfr.dic", "1cbcc29 c02b9c00"}));
    // Later tests expect no dictionary kept from an earlier read.
    writeFile(folder / "empty.txt", "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\r\n");
    Host reset;
    reset.args({in(u8"empty.txt")}).call(loadDicInfo);
}

TEST_F(WideFolder, DuvevoCfgIsWrittenAsInAPlainFolder) {
    const fs::path plain = dir.path() / "plain";
    fs::create_directories(plain);
    const std::u8string_view list = u8"\u0416\u0443\u043a.cfg";
    for (const fs::path& at : {folder, plain}) {
        writeFile(at / "groups.ini", "basic=enfr\r\n");
        writeFile(at / "grnames.ini", "[en]\r\nbasic=Basic\r\n");
        writeFile(at / "instdics.dat", "*enfr\r\n*defr\r\n");
        writeFile(at / fromUtf8(list), "[.extra]\r\nen=Extra\r\ndics=defr\r\n");
        EXPECT_EQ(update(hostPath(at), "enfr"), "ok");
        EXPECT_EQ(update(hostPath(at), "/" + utf8(list) + "/"), "ok");
    }
    const std::string cfg = readFile(folder / "duvevo.cfg");
    EXPECT_EQ(cfg, readFile(plain / "duvevo.cfg"));
    EXPECT_NE(cfg.find("Dics=defr"), std::string::npos) << cfg;
}

TEST_F(WideFolder, FileTimeIsSet) {
    writeFile(folder / fromUtf8(u8"\u0416.dat"), "data");
    writeFile(dir.path() / "plain.dat", "data");
    for (const std::string& path : {in(u8"\u0416.dat"), hostPath(dir.path() / "plain.dat")}) {
        Host host;
        host.args({path, "1cbcc29 c02b9c00"}).call(setFileModificationTime);
    }
    EXPECT_EQ(fs::last_write_time(folder / fromUtf8(u8"\u0416.dat")),
              fs::last_write_time(dir.path() / "plain.dat"));
}

} // namespace
