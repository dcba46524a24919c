// setFileModificationTime over the edges of the FILETIME range: every build takes the same times
// and refuses the same ones (2^63 and more, which SetFileTime refuses), leaving the file alone.
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kAccess = 0x01d0000012345678;
constexpr std::uint64_t kWrite = 0x01c0000087654321;

enum class Outcome {
    exact,   // the file gets exactly this time
    changed, // the file's time changes, as far as its file system can store it
    kept,    // the file keeps its time
};

struct Edge {
    const char* text;
    std::uint64_t fileTime;
    Outcome outcome;
};

TEST(SetFileModificationTime, TakesAndRefusesTheSameTimesInEveryBuild) {
    const Edge edges[] = {
        {"0 0", 0, Outcome::kept},
        {"0 1", 1, Outcome::changed}, // 1601: before what some file systems store
        {"19db1de d53e8000", 0x019db1ded53e8000, Outcome::exact}, // 1970-01-01 00:00:00
        {"1d4c0ff 7fffffff", 0x01d4c0ff7fffffff, Outcome::exact},
        {"7fffffff ffffffff", 0x7fffffffffffffff, Outcome::changed}, // the last time taken
        {"80000000 0", 0x8000000000000000, Outcome::kept},
        {"80000000 1", 0x8000000000000001, Outcome::kept},
        {"c0000000 0", 0xc000000000000000, Outcome::kept},
        {"ffffffff fffffffe", 0xfffffffffffffffe, Outcome::kept},
        {"ffffffff ffffffff", 0xffffffffffffffff, Outcome::kept},
    };
    zettest::TempDir dir;
    const std::string path = dir.file("dict.dat");
    zettest::writeFile(path, "data");
    for (const Edge& edge : edges) {
        ASSERT_TRUE(zettest::setFileTimes(path, kAccess, kWrite));
        zettest::Host host;
        host.args({path, edge.text}).call(setFileModificationTime);
        const std::uint64_t written = zettest::fileTimes(path).value().write;
        switch (edge.outcome) {
        case Outcome::exact:
            EXPECT_EQ(written, edge.fileTime) << edge.text;
            break;
        case Outcome::changed:
            EXPECT_NE(written, kWrite) << edge.text;
            break;
        case Outcome::kept:
            EXPECT_EQ(written, kWrite) << edge.text;
            break;
        }
        EXPECT_EQ(zettest::readFile(path), "data") << edge.text;
    }
}

} // namespace
