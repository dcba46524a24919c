// The call frame through a real host stack: pops, pushes, cuts, and a missing stack.
#include "platform/ini.h"
#include "platform/transaction.h"
#include "plugin/frame.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using zettest::Host;
using Strings = std::vector<std::string>;

// An export body that echoes its popped argument back, for driving the frame directly.
void echoOne() {
    const std::string value = zet::popText();
    zet::pushText(value);
}

extern "C" void echoExport(void* parent, int size, zet::StackChar* variables,
                           zet::StackNode** top) {
    zet::runExport(parent, size, variables, top, echoOne);
}

// Export bodies that run out of memory midway, as the DLL's allocation does when the heap has no
// block: after taking one of three arguments and pushing two values; and inside a merge's
// transaction and session, after a write.
void pushTwoThenRunOut() {
    (void)zet::popText();
    zet::pushText("partial");
    zet::pushText("results");
    zet::abandonCall();
}

// Its path lives outside the body: an abandoned body's own texts are never given back.
std::string abandonedPath;

void writeThenRunOut() {
    abandonedPath = zet::popPath();
    const zet::platform::FileTransaction transaction(abandonedPath);
    const zet::platform::IniSession session;
    (void)zet::platform::writeIniString(abandonedPath, "s", "k", "lost");
    zet::abandonCall();
}

void writeAndCommit() {
    const std::string path = zet::popPath();
    zet::platform::FileTransaction transaction(path);
    {
        zet::platform::IniSession session;
        (void)zet::platform::writeIniString(path, "s", "k", "new");
        (void)session.commit();
    }
    (void)transaction.commit();
}

void pushFailed() {
    zet::pushText("failed");
}

extern "C" void runOutExport(void* parent, int size, zet::StackChar* variables,
                             zet::StackNode** top) {
    zet::runExport(parent, size, variables, top, pushTwoThenRunOut, 3, pushFailed);
}

extern "C" void writeThenRunOutExport(void* parent, int size, zet::StackChar* variables,
                                      zet::StackNode** top) {
    zet::runExport(parent, size, variables, top, writeThenRunOut, 1, nullptr);
}

extern "C" void writeExport(void* parent, int size, zet::StackChar* variables,
                            zet::StackNode** top) {
    zet::runExport(parent, size, variables, top, writeAndCommit);
}

TEST(Frame, AbandonedCallTakesItsArgumentsAndPushesOnlyItsAnswer) {
    Host host;
    host.push("below").args({"a", "b", "c"}).call(runOutExport);
    EXPECT_EQ(host.stack(), (Strings{"failed", "below"}));
    host.push("next").call(echoExport);
    EXPECT_EQ(host.stack(), (Strings{"next", "failed", "below"}));
}

TEST(Frame, AbandonedCallLeavesNoTransactionOpen) {
    const zettest::TempDir dir;
    const std::string path = dir.file("duvevo.cfg");
    zettest::writeFile(path, "[s]\nk=old\n");
    Host host;
    host.args({path}).call(writeThenRunOutExport);
    EXPECT_TRUE(host.stack().empty());
    EXPECT_EQ(zettest::readFile(path), "[s]\nk=old\n");
    EXPECT_EQ(zettest::namesIn(dir.path()), Strings{"duvevo.cfg"});
    host.args({path}).call(writeExport);
    EXPECT_EQ(zet::platform::readIniString(path, "s", "k"), "new");
}

TEST(Dummy, RemovesUpToFourValues) {
    Host empty;
    empty.call(dummy);
    EXPECT_TRUE(empty.stack().empty());

    Host two;
    two.args({"a", "b"}).call(dummy);
    EXPECT_TRUE(two.stack().empty());

    Host five;
    five.args({"1", "2", "3", "4", "5"}).call(dummy);
    EXPECT_EQ(five.stack(), Strings{"5"});
}

TEST(Frame, RecordsTheCallValues) {
    Host host;
    zet::StackChar variables[8];
    dummy(reinterpret_cast<void*>(0x1234), 77, variables, &host.top);
    const zet::PluginContext& context = zet::pluginContext();
    EXPECT_EQ(context.parentWindow, reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(context.stringSize, 77);
    EXPECT_EQ(context.variables, variables);
    EXPECT_EQ(context.stackTop, &host.top);
}

TEST(Frame, PushIsCutToStringSizeLessOne) {
    Host host;
    host.push("abcdefghij").call(echoExport, 11);
    EXPECT_EQ(host.stack(), Strings{"abcdefghij"});
    host.call(echoExport, 10);
    EXPECT_EQ(host.stack(), Strings{"abcdefghi"});
    host.call(echoExport, 1);
    EXPECT_EQ(host.stack(), Strings{""});
}

// Values no installer passes (rundll32 gives an instance handle and a show flag in their
// places): nothing is popped or pushed, and nothing is read through a low stack pointer.
TEST(Frame, RefusesStringSizesNoInstallerPasses) {
    for (int size : {0, -1, -2147483647 - 1, zet::kMaxStringSize + 1, 0x7FFFFFFC, 0x7FFFFFFD,
                     0x7FFFFFFE, 0x7FFFFFFF}) {
        Host host;
        host.push("abc").call(echoExport, size);
        host.call(dummy, size);
        for (auto function : {loadDicInfo, dicInfo, dicFiles, updateDuvEvoCfg})
            host.call(function, size);
        EXPECT_EQ(host.stack(), Strings{"abc"}) << size;
        zet::StackNode* top = nullptr;
        EXPECT_FALSE(zet::pushNode(top, zet::StackView(), size)) << size;
    }
    Host largest;
    largest.push("abc").call(echoExport, zet::kMaxStringSize);
    EXPECT_EQ(largest.stack(), Strings{"abc"});
}

TEST(Frame, StackPointerBelow64KiBIsNoStack) {
    for (std::uintptr_t address = 0; address < zet::kLowestStackAddress; ++address) {
        auto* top = reinterpret_cast<zet::StackNode**>(address);
        echoExport(nullptr, zet::kDefaultStringSize, nullptr, top);
        dummy(nullptr, zet::kDefaultStringSize, nullptr, top);
    }
    for (std::uintptr_t address : {1u, 0x1000u, 0xFFFFu}) {
        for (auto function : {loadDicInfo, dicInfo, dicFiles, updateDuvEvoCfg})
            function(nullptr, zet::kDefaultStringSize, nullptr,
                     reinterpret_cast<zet::StackNode**>(address));
    }
}

TEST(Frame, PopIsCutAt1023Characters) {
    Host host;
    host.stringSize = 4096;
    host.push(std::string(3000, 'x')).call(echoExport, 4096);
    EXPECT_EQ(host.stack(), Strings{std::string(1023, 'x')});
}

TEST(Frame, MissingStackPushesNothingAndPopsNothing) {
    Host host;
    host.push("keep");
    host.callWithoutStack(echoExport);
    host.callWithoutStack(dummy);
    for (auto function : {loadDicInfo, dicInfo, dicFiles, updateDuvEvoCfg})
        host.callWithoutStack(function);
    EXPECT_EQ(host.stack(), Strings{"keep"});
}

TEST(Frame, EmptyStackGivesEmptyArguments) {
    Host host;
    host.call(echoExport);
    EXPECT_EQ(host.stack(), Strings{""});
}

} // namespace
