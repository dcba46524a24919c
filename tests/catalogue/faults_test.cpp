// The catalogue queries when the catalogue file fails: a file that cannot be opened leaves the
// previous catalogue, one whose read fails after the open leaves none.
#include "platform/faults.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zet::platform::faults::Point;
using zet::platform::faults::ScopedFault;
using zettest::Host;
using zettest::TempDir;
using Strings = std::vector<std::string>;

constexpr std::string_view kCatalogue = "Product|1|Maker|setup|en|3|en-GB|2010\n"
                                        "0|ab|x@20100704-083015|Name|7\n";

Strings call(zettest::ExportFunction function, std::initializer_list<std::string_view> args) {
    Host host;
    host.args(args).call(function);
    return host.stack();
}

Strings findFirst(const std::string& path, zettest::ExportFunction function) {
    return call(function, {path, "1", "0"});
}

class CatalogueFaults : public testing::Test {
  protected:
    void SetUp() override {
        zettest::writeFile(path, kCatalogue);
        ASSERT_EQ(call(loadDicInfo, {path}).front(), "ok");
    }
    TempDir dir;
    const std::string path = dir.file("catalogue.txt");
    const std::string missing = dir.file("missing.txt");
};

TEST_F(CatalogueFaults, OpenFailureKeepsThePreviousCatalogue) {
    {
        const ScopedFault fault(Point::openTextFile);
        EXPECT_EQ(call(loadDicInfo, {path}), Strings{"failed"});
    }
    EXPECT_EQ(findFirst(missing, dicInfo), (Strings{"Name", "7"}));
    {
        const ScopedFault fault(Point::openTextFile);
        EXPECT_EQ(findFirst(path, dicFiles), (Strings{"ab", "1", "x", "1cb1b53 20664580"}));
    }
}

TEST_F(CatalogueFaults, ReadFailureAfterTheOpenEmptiesTheCatalogue) {
    {
        const ScopedFault fault(Point::readTextFile);
        EXPECT_EQ(call(loadDicInfo, {path}), Strings{"failed"});
    }
    EXPECT_EQ(findFirst(missing, dicInfo), (Strings{"", "0"}));
    EXPECT_EQ(findFirst(missing, dicFiles), (Strings{"", "0"}));
    EXPECT_EQ(findFirst(path, dicInfo), (Strings{"Name", "7"})); // the next good read restores it
}

TEST_F(CatalogueFaults, QueriesWhoseOwnReadFailsFindNothing) {
    for (const zettest::ExportFunction function : {dicInfo, dicFiles}) {
        const ScopedFault fault(Point::readTextFile);
        EXPECT_EQ(findFirst(path, function), (Strings{"", "0"}));
    }
}

} // namespace
