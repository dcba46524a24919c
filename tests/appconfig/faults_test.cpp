// The configuration merge when its platform calls fail: the script still gets "ok", a failed
// write costs only what it would have written, and duvevo.cfg is never left half-written.
#include "appconfig/installedmerge.h"
#include "platform/faults.h"
#include "tests/appconfig/merge_support.h"

#include <filesystem>

namespace {

using zet::platform::faults::Point;
using zet::platform::faults::ScopedFault;
using namespace zettest;
using Strings = std::vector<std::string>;

constexpr std::string_view kExisting = "[.old]\r\nen=Old\r\nDics=x\r\n";

void prepareGroups(const TempDir& dir) {
    writeFile(dir.path() / "groups.ini", "g1=a\r\n");
    writeFile(dir.path() / "grnames.ini", "[en]\r\ng1=Group one\r\n[fi]\r\ng1=Ryhma\r\n");
    writeFile(dir.path() / "duvevo.cfg", kExisting);
}

TEST(GroupMergeFaults, FailedWritesLoseOnlyTheirOwnKeys) {
    TempDir dir;
    prepareGroups(dir);
    {
        const ScopedFault fault(Point::writeIni, 1000);
        update(dir.str(), "a");
    }
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), kExisting);

    {
        const ScopedFault fault(Point::writeIni, 1, 1); // the second write: "sv"
        update(dir.str(), "a");
    }
    EXPECT_EQ(entries(readFile(dir.path() / "duvevo.cfg")),
              (Strings{"[.old] en=Old", "[.old] Dics=x", "[.g1] fi=Ryhma", "[.g1] en=Group one",
                       "[.g1] de=", "[.g1] Dics=a"}));
}

TEST(GroupMergeFaults, UnreadableNamesAndMembersReadAsEmpty) {
    TempDir dir;
    prepareGroups(dir);
    {
        const ScopedFault fault(Point::readIni, 1000);
        update(dir.str(), "a");
        update(dir.str(), "b"); // not in groups.ini: a group of its own
    }
    EXPECT_EQ(entries(readFile(dir.path() / "duvevo.cfg")),
              (Strings{"[.old] en=Old", "[.old] Dics=x",
                       "[.g1] fi=", "[.g1] sv=", "[.g1] en=", "[.g1] de=", "[.g1] Dics=a",
                       "[.b] fi=", "[.b] sv=", "[.b] en=", "[.b] de=", "[.b] Dics=b"}));

    // groups.ini that opens but cannot be read names no group.
    {
        const ScopedFault fault(Point::readTextFile);
        update(dir.str(), "a");
    }
    EXPECT_NE(readFile(dir.path() / "duvevo.cfg").find("[.a]"), std::string::npos);
}

class InstalledMergeFaults : public testing::Test {
  protected:
    void SetUp() override {
        writeFile(dir.path() / "instdics.dat", "*a\r\n*b\r\n*c\r\n");
        writeFile(dir.path() / "a.cfg", "[.g]\r\nen=G\r\ndics=a\r\n");
        writeFile(dir.path() / "b.cfg", "[.h]\r\nen=H\r\ndics=b\r\n");
        writeFile(cfg, kExisting);
    }
    int merge(std::string_view list) { return zet::appconfig::mergeInstalledDics(dir.str(), list); }
    std::string cfgText() const { return readFile(cfg); }

    TempDir dir;
    const std::filesystem::path cfg = dir.path() / "duvevo.cfg";
};

TEST_F(InstalledMergeFaults, AFailedAppendEndsTheWalkWithoutTheCatchAllGroup) {
    {
        const ScopedFault fault(Point::appendTextFile);
        EXPECT_EQ(merge("a.cfg/b.cfg/"), 0);
    }
    EXPECT_EQ(cfgText(), kExisting);

    // The second file's turn: the first file's group stays, nothing follows it.
    {
        const ScopedFault fault(Point::appendTextFile, 1, 2);
        EXPECT_EQ(merge("a.cfg/b.cfg/"), 0);
    }
    EXPECT_EQ(entries(cfgText()),
              (Strings{"[.old] en=Old", "[.old] Dics=x", "[.g] en=G", "[.g] Dics=a"}));

    // Through the export the answer is "ok" all the same.
    const ScopedFault fault(Point::appendTextFile);
    update(dir.str(), "/b.cfg/");
    EXPECT_EQ(entries(cfgText()),
              (Strings{"[.old] en=Old", "[.old] Dics=x", "[.g] en=G", "[.g] Dics=a"}));
}

TEST_F(InstalledMergeFaults, AFailedCatchAllAppendIsSilent) {
    const ScopedFault fault(Point::appendTextFile, 1, 2); // after a.cfg's probe and sections
    EXPECT_EQ(merge("a.cfg/"), 1);
    EXPECT_EQ(entries(cfgText()),
              (Strings{"[.old] en=Old", "[.old] Dics=x", "[.g] en=G", "[.g] Dics=a"}));
}

TEST_F(InstalledMergeFaults, UnreadableInputs) {
    // instdics.dat that opens but cannot be read: nothing to merge, and that is no failure.
    {
        const ScopedFault fault(Point::readTextFile);
        EXPECT_EQ(merge("a.cfg/"), 1);
    }
    EXPECT_EQ(cfgText(), kExisting);

    // A listed file that cannot be opened ends the walk.
    {
        const ScopedFault fault(Point::openTextFile, 1, 1);
        EXPECT_EQ(merge("a.cfg/b.cfg/"), 0);
    }
    EXPECT_EQ(cfgText(), kExisting);
}

} // namespace

// The way back answers for itself: "failed" leaves duvevo.cfg as it was, and "ok" means nothing
// of what it takes out is left.
TEST_F(InstalledMergeFaults, RemovalAnswersWhatItDid) {
    update(dir.str(), "/a.cfg/");
    const std::string merged = cfgText();
    {
        const ScopedFault fault(Point::writeFile);
        EXPECT_EQ(removeFrom(dir.str(), "a"), "failed");
    }
    {
        const ScopedFault fault(Point::openTextFile); // there, but it cannot be read
        EXPECT_EQ(removeFrom(dir.str(), "a"), "failed");
    }
    EXPECT_EQ(removeFrom(dir.str(), "/a.cfg/missing.cfg/"), "failed");
    EXPECT_EQ(removeFrom("", "a"), "failed");
    EXPECT_EQ(cfgText(), merged);

    {
        // The working copy takes no write: the removal is made again on the file itself.
        const ScopedFault fault(Point::writeCopy, 1000);
        EXPECT_EQ(removeFrom(dir.str(), "/b.cfg/"), "ok"); // the catch-all group
    }
    EXPECT_EQ(removeFrom(dir.str(), "a"), "ok");
    EXPECT_EQ(cfgText(), kExisting);

    // Nothing to take out: no write, and no duvevo.cfg made.
    std::filesystem::remove(cfg);
    EXPECT_EQ(removeFrom(dir.str(), "a"), "ok");
    EXPECT_FALSE(std::filesystem::exists(cfg));
}
