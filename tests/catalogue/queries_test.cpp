// The three catalogue exports through a real host stack.
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zettest::Host;
using Strings = std::vector<std::string>;

const std::string kHeader = "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\n";

Strings query(zettest::ExportFunction function, const std::string& path, std::string_view mask,
              std::string_view index) {
    Host host;
    host.args({path, mask, index}).call(function);
    return host.stack();
}

Strings loadHeader(const std::string& path) {
    Host host;
    host.args({path}).call(loadDicInfo);
    return host.stack();
}

const Strings kNotFound{"", "0"};

// Every answer the exports give for a catalogue, one call per line, stack top first.
std::string walk(const std::string& path, std::string_view mask) {
    std::string out;
    const auto line = [&out](std::string_view call, const Strings& stack) {
        out += call;
        out += ":";
        for (const std::string& value : stack) out += " [" + value + "]";
        out += "\n";
    };
    line("loadDicInfo", loadHeader(path));
    for (int index = 0;; ++index) {
        const std::string text = std::to_string(index);
        const Strings info = query(dicInfo, path, mask, text);
        line("dicInfo " + text, info);
        line("dicFiles " + text, query(dicFiles, path, mask, text));
        if (info == kNotFound) return out;
    }
}

TEST(Queries, GoldenWalk) {
    const std::string expected = zettest::readFile(zettest::testData("catalogue/walk.expected"));
    EXPECT_EQ(walk(zettest::testData("catalogue/walk.cat"), "111111"), expected);
}

TEST(Queries, WorkedExampleOfDicFiles) {
    zettest::TempDir dir;
    const std::string path = dir.file("cat.txt");
    zettest::writeFile(path, kHeader +
                                 "3 | ab | x@20100704-083015 ; y@20100705-000000 | Name | 7\n" +
                                 "1 | cd | | Empty | 2\n");
    // Bottom to top: time and name of x, time and name of y, the count, the short name.
    EXPECT_EQ(query(dicFiles, path, "0101", "0"),
              (Strings{"ab", "2", "y", "1cb1bd5 2d9c000", "x", "1cb1b53 20664580"}));
    EXPECT_EQ(query(dicInfo, path, "0101", "0"), (Strings{"Name", "7"}));
    EXPECT_EQ(query(dicFiles, path, "0101", "1"), (Strings{"cd", "1", "", "1bf53f3 ab8d8480"}));
    EXPECT_EQ(query(dicFiles, path, "0101", "2"), kNotFound);
}

TEST(Queries, SelectionFollowsFileOrderAndTheMask) {
    zettest::TempDir dir;
    const std::string path = dir.file("cat.txt");
    zettest::writeFile(path, kHeader + "0|a|f|zero|0\n1|b|f|one|1\n2|c|f|two|2\n3|d|f|three|3\n");
    EXPECT_EQ(query(dicInfo, path, "0110", "0"), (Strings{"one", "1"}));
    EXPECT_EQ(query(dicInfo, path, "0110", "1"), (Strings{"two", "2"}));
    EXPECT_EQ(query(dicInfo, path, "0110", "2"), kNotFound);
    for (const char* index : {"0", " 0", "abc", "+0x"})
        EXPECT_EQ(query(dicInfo, path, "0110", index), (Strings{"one", "1"})) << index;
    for (const char* index : {"-1", "99999999999999999999", "-99999999999999999999"})
        EXPECT_EQ(query(dicInfo, path, "0110", index), kNotFound) << index;
    EXPECT_EQ(query(dicInfo, path, "1", "0"), (Strings{"zero", "0"}));
    EXPECT_EQ(query(dicInfo, path, "1", "1"), kNotFound);
    EXPECT_EQ(query(dicInfo, path, "", "0"), kNotFound);
    EXPECT_EQ(query(dicInfo, path, "0 x2", "0"), kNotFound);

    zettest::writeFile(path, kHeader + "2|c|f|two|2\n1|b|f|one|1\n\n2|e|f|again|5\n");
    EXPECT_EQ(query(dicInfo, path, "011", "0"), (Strings{"two", "2"}));
    EXPECT_EQ(query(dicInfo, path, "011", "1"), (Strings{"one", "1"}));
    EXPECT_EQ(query(dicInfo, path, "011", "2"), (Strings{"again", "5"}));
    EXPECT_EQ(query(dicInfo, path, "011", "3"), kNotFound);
}

TEST(Queries, HeaderAndFailedReads) {
    zettest::TempDir dir;
    const std::string good = dir.file("good.txt");
    const std::string six = dir.file("six.txt");
    zettest::writeFile(good, "  a | b | c | d | e | 007 | g | h\n1|x|f|Good|4\n");
    zettest::writeFile(six, "a|b|c|d|e|f|g\n1|x|f|Six|4\n");
    EXPECT_EQ(loadHeader(good), (Strings{"ok", "  a", "b", "c", "d", "e", "7", "g", "h"}));
    EXPECT_EQ(loadHeader(six), Strings{"failed"});
    EXPECT_EQ(query(dicInfo, six, "11", "0"), kNotFound);

    // A file that cannot be opened leaves the earlier catalogue to answer.
    EXPECT_EQ(loadHeader(good).front(), "ok");
    EXPECT_EQ(loadHeader(dir.file("missing.txt")), Strings{"failed"});
    EXPECT_EQ(query(dicInfo, dir.file("missing.txt"), "11", "0"), (Strings{"Good", "4"}));
    EXPECT_EQ(query(dicFiles, "", "11", "0"), (Strings{"x", "1", "f", "1bf53f3 ab8d8480"}));
}

TEST(Queries, InvalidTimeReadsAsZeroZero) {
    zettest::TempDir dir;
    const std::string path = dir.file("cat.txt");
    zettest::writeFile(path, kHeader + "0|a|w@2010-07-04 ; v@19000229-120000|d|1\n");
    EXPECT_EQ(query(dicFiles, path, "1", "0"), (Strings{"a", "2", "v", "0 0", "w", "0 0"}));
}

} // namespace
