// What the Unicode builds add: paths with every character, texts converted with the ANSI code
// page and refused when it cannot hold them, cuts counted in UTF-16 characters. The test host
// speaks UTF-8 there and the stack's bytes in the 8-bit builds. The Unicode builds run these
// tests twice under Wine: with code page 1252, and in a host whose manifest makes it UTF-8.
#include "plugin/frame.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>

#if defined(_WIN32)
#include "platform/text.h"

#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;
using zettest::Host;
using zettest::readFile;
using zettest::TempDir;
using zettest::writeFile;
using Strings = std::vector<std::string>;

constexpr bool kWideStack = sizeof(zet::StackChar) > 1;
// Only Windows has an ANSI code page; the other builds hold bytes as 1252 would.
#if defined(_WIN32)
constexpr bool kAnsiWindows = !kWideStack;
const bool kUtf8CodePage = GetACP() == CP_UTF8;
#else
constexpr bool kAnsiWindows = false;
const bool kUtf8CodePage = false;
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

// A text with "é" as the host pushes it, and as the ANSI code page (1252 under Wine's C.UTF-8,
// or UTF-8) and the 8-bit builds hold it.
const std::string kCafeHost = kWideStack ? "caf\xC3\xA9" : "caf\xE9";
const std::string kCafeAnsi = kUtf8CodePage ? "caf\xC3\xA9" : "caf\xE9";

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

#if defined(ZET_UTF8_HOST)
// Built into the host that declares UTF-8, so that Wine's answer to the manifest shows.
TEST(CodePage, HostRunsUnderUtf8) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
}
#endif

#if defined(_WIN32)
// Only the Windows builds convert through a code page.
TEST(CodePage, ConversionFlagsSuitTheCodePage) {
    const zet::platform::AnsiConversion utf8 = zet::platform::ansiConversion(CP_UTF8);
    EXPECT_EQ(utf8.flags, static_cast<unsigned long>(WC_ERR_INVALID_CHARS));
    EXPECT_FALSE(utf8.reportsDefault);
    for (unsigned codePage : {1252u, 1251u, 932u}) {
        const zet::platform::AnsiConversion ansi = zet::platform::ansiConversion(codePage);
        EXPECT_EQ(ansi.flags, static_cast<unsigned long>(WC_NO_BEST_FIT_CHARS)) << codePage;
        EXPECT_TRUE(ansi.reportsDefault) << codePage;
    }
}
#endif

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
    const std::string text = "a\xD0\x96"
                             "b\xEF\xBC\x91";
    host.push(text).call(echoTextExport);
    EXPECT_EQ(host.stack(), Strings{kUtf8CodePage ? text : "a?b?"});
}

TEST(UnicodeStack, DictionaryNameIsWrittenInTheAnsiCodePage) {
    TempDir dir;
    writeFile(dir.path() / "groups.ini", "g=" + kCafeAnsi + "\r\n");
    EXPECT_EQ(update(dir.str(), kCafeHost), "ok");
    const std::string cfg = readFile(dir.path() / "duvevo.cfg");
    EXPECT_NE(cfg.find("Dics=" + kCafeAnsi + "\r\n"), std::string::npos) << cfg;
}

TEST(UnicodeStack, NameTheCodePageCannotHoldWritesNothing) {
    if (!kWideStack) GTEST_SKIP() << "only the Unicode builds convert the name to the code page";
    TempDir dir;
    // A best-fit conversion would make the full-width name "ab" and merge it into the group.
    writeFile(dir.path() / "groups.ini", "g=ab\r\ng=?\r\ng=ab?\r\n");
    // Under UTF-8 every character fits: only the unpaired surrogate is left to refuse.
    const std::vector<std::string> names =
        kUtf8CodePage ? std::vector<std::string>{}
                      : std::vector<std::string>{"\xEF\xBD\x81\xEF\xBD\x82", "\xD0\x96"};
    for (const std::string& name : names) {
        EXPECT_EQ(update(dir.str(), name), "ok");
        EXPECT_FALSE(fs::exists(dir.path() / "duvevo.cfg")) << name;
    }
    Host host;
    const zet::StackChar broken[] = {'a', 'b', static_cast<zet::StackChar>(0xD800)};
    ASSERT_TRUE(zet::pushNode(host.top, zet::StackView(broken, 3), zet::kDefaultStringSize));
    host.push(dir.str()).call(updateDuvEvoCfg);
    EXPECT_EQ(host.pop(), "ok");
    EXPECT_FALSE(fs::exists(dir.path() / "duvevo.cfg"));
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

#if defined(_WIN32)
// A path as the stack carries it: UTF-8 in the Unicode builds, the ANSI code page's bytes in the
// 8-bit one.
std::string stackPath(const fs::path& path) {
    if (kWideStack) return hostPath(path);
    const std::wstring wide = path.wstring();
    const int size = static_cast<int>(wide.size());
    std::string bytes(static_cast<std::size_t>(size) * 2, '\0');
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(
        CP_ACP, 0, wide.data(), size, bytes.data(), size * 2, nullptr, nullptr)));
    return bytes;
}

// Under code page 932 the second byte of 表 is 0x5C, a backslash: a folder whose name ends in it
// finds its group tables as a plainly named one does, with a separator after it or without.
TEST(CodePage932, AFolderEndingInADoubleByteCharacterIsMergedAsAPlainOne) {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932 (under Wine, LANG=ja_JP.UTF-8)";
    TempDir dir;
    const fs::path folder = dir.path() / fromUtf8(u8"\u8f9e\u66f8\u8868");
    const fs::path plain = dir.path() / "plain";
    for (const fs::path& at : {folder, plain}) {
        fs::create_directories(at);
        writeFile(at / "groups.ini", "basic=enfr\r\nbasic=defr\r\n");
        writeFile(at / "grnames.ini", "[en]\r\nbasic=Basic\r\n");
        EXPECT_EQ(update(stackPath(at), "enfr"), "ok");
        EXPECT_EQ(update(stackPath(at) + "\\", "defr"), "ok");
    }
    const std::string cfg = readFile(folder / "duvevo.cfg");
    EXPECT_EQ(cfg, readFile(plain / "duvevo.cfg"));
    EXPECT_NE(cfg.find("Dics=enfr,defr"), std::string::npos) << cfg;
}
#endif

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
              "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\r\n0 | enfr | enfr.dic@20110214-093000 | " +
                  kCafeAnsi + " | 12\r\n");
    Host header;
    header.args({in(u8"\u8f9e\u66f8.txt")}).call(loadDicInfo);
    EXPECT_EQ(header.pop(), "ok");
    Host info;
    info.args({in(u8"\u8f9e\u66f8.txt"), "1", "0"}).call(dicInfo);
    EXPECT_EQ(info.stack(), (Strings{kCafeHost, "12"}));
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
