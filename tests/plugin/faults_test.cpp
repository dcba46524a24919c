// The fault table itself, and the stack when the heap has no node for a push.
#include "platform/faults.h"
#include "plugin/frame.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zet::platform::faults::Point;
using zet::platform::faults::ScopedFault;
using zettest::Host;
using Strings = std::vector<std::string>;

TEST(Faults, SkipThenFailThenPassAgain) {
    using zet::platform::faults::shouldFail;
    {
        const ScopedFault fault(Point::readIni, 2, 1);
        EXPECT_FALSE(shouldFail(Point::writeIni)); // other points stay as they were
        EXPECT_FALSE(shouldFail(Point::readIni));
        EXPECT_TRUE(shouldFail(Point::readIni));
        EXPECT_TRUE(shouldFail(Point::readIni));
        EXPECT_FALSE(shouldFail(Point::readIni));
    }
    const ScopedFault unused(Point::readIni, 5);
    zet::platform::faults::clearAll();
    EXPECT_FALSE(shouldFail(Point::readIni));
}

TEST(Faults, PushWithoutANodePushesNothing) {
    Host host;
    host.push("keep");
    zet::beginCall(nullptr, 1024, nullptr, &host.top);
    {
        const ScopedFault fault(Point::allocStackNode);
        zet::pushText("lost");
    }
    zet::pushNumber(7);
    EXPECT_EQ(host.stack(), (Strings{"7", "keep"}));
}

TEST(Faults, ExportsGoOnWhenTheHeapRunsDry) {
    // updateDuvEvoCfg pops its two arguments and then cannot push its answer.
    Host host;
    host.args({"", "a", "keep"});
    {
        const ScopedFault fault(Point::allocStackNode);
        host.call(updateDuvEvoCfg);
    }
    EXPECT_EQ(host.stack(), Strings{"keep"});

    // dicInfo finds nothing: of "0" and "" only the second push gets a node.
    host.args({"", "1", "0"});
    {
        const ScopedFault fault(Point::allocStackNode);
        host.call(dicInfo);
    }
    EXPECT_EQ(host.stack(), (Strings{"", "keep"}));
}

} // namespace
