// The call frame through a real host stack: pops, pushes, cuts, and a missing stack.
#include "plugin/frame.h"
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
