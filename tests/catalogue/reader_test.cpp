// Reading catalogues: line and field rules, limits, and what a failed read leaves.
#include "catalogue/reader.h"
#include "catalogue/text.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace zet::catalogue;
using namespace std::string_literals;

const std::string kHeader = "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\n";

DictionaryCatalogue parse(std::string_view text, bool expectOk = true) {
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    EXPECT_EQ(parseCatalogue(text, header, catalogue), expectOk) << text.substr(0, 200);
    return catalogue;
}

TEST(Reader, WorkedDictionaryLine) {
    const auto catalogue =
        parse(kHeader + " 3 | ab | x@20100704-083015 ; y@20100705-000000 | Name | 7 ");
    ASSERT_EQ(catalogue.entries.size(), 1u);
    const DictionaryEntry& entry = catalogue.entries[0];
    EXPECT_EQ(entry.position, 3);
    EXPECT_EQ(entry.shortName, "ab");
    EXPECT_EQ(entry.displayName, "Name");
    EXPECT_EQ(entry.version, 7);
    ASSERT_EQ(entry.files.size(), 2u);
    EXPECT_EQ(entry.files[0].name, "x");
    EXPECT_EQ(entry.files[0].modified, 129227058150000000u);
    EXPECT_EQ(entry.files[1].name, "y");
    EXPECT_EQ(entry.files[1].modified, 129227616000000000u);
}

TEST(Reader, HeaderFieldsAndTheirLimits) {
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    const std::string line = "  lead  |  one | " + std::string(60, 'c') + " | 3|4|  007  |6 |7|8";
    ASSERT_TRUE(parseCatalogue(line, header, catalogue));
    EXPECT_EQ(header.fields[0], "  lead");
    EXPECT_EQ(header.fields[1], "one");
    EXPECT_EQ(header.fields[2], std::string(49, 'c'));
    EXPECT_EQ(header.fields[5], "007");
    EXPECT_EQ(header.number, 7);
    EXPECT_EQ(header.fields[7], "7");
    EXPECT_TRUE(catalogue.entries.empty());

    ASSERT_TRUE(parseCatalogue("a|b|c|d|e| 1234567890123|g|h", header, catalogue));
    EXPECT_EQ(header.number, 123456789);
    ASSERT_TRUE(parseCatalogue("a|b|c|d|e|x|g|h", header, catalogue));
    EXPECT_EQ(header.number, 0);
}

TEST(Reader, HeaderNeedsSevenBarsAndAShortEnoughLine) {
    parse("a|b|c|d|e|f|g|", true);
    parse("|||||||", true);
    parse("a|b|c|d|e|f|g\n1|a|b|c|d", false);
    parse("\na|b|c|d|e|f|g|h", false);
    parse("", false);
    parse("\0a|b|c|d|e|f|g|h"s, false);
    parse("|||||||" + std::string(992, 'x'), true);
    parse("|||||||" + std::string(993, 'x'), false);
}

TEST(Reader, EveryLineAfterTheHeaderIsASlot) {
    const auto catalogue = parse(kHeader + "1|a|f|d|1\n\n2|a|f|d\n3|b||d|2\r\n");
    ASSERT_EQ(catalogue.entries.size(), 4u);
    EXPECT_EQ(catalogue.entries[0].position, 1);
    EXPECT_EQ(catalogue.entries[1].position, -1);
    EXPECT_TRUE(catalogue.entries[1].files.empty());
    EXPECT_EQ(catalogue.entries[2].position, -1);
    EXPECT_EQ(catalogue.entries[3].position, 3);
    EXPECT_EQ(parse(kHeader).entries.size(), 0u);
}

TEST(Reader, LinesOf999AreReadAndOf1000ReadAsEmpty) {
    const std::string fill999 = "1|a|f|d|2" + std::string(990, ' ');
    const std::string fill1000 = fill999 + " ";
    const auto catalogue = parse(kHeader + fill999 + "\n" + fill1000 + "\n4|b|f|d|3");
    ASSERT_EQ(catalogue.entries.size(), 3u);
    EXPECT_EQ(catalogue.entries[0].version, 2);
    EXPECT_EQ(catalogue.entries[1].position, -1);
    EXPECT_EQ(catalogue.entries[2].position, 4);
}

TEST(Reader, FieldLimitsOfADictionaryLine) {
    const std::string longName = std::string(98, 'n') + "  tail";
    const auto catalogue = parse(kHeader + "12345678901234567890123|" + std::string(25, 's') +
                                 "|f|" + longName + "|1234567890\n" + "-7|a\tb\t|f|Tab\t|x\n");
    const DictionaryEntry& first = catalogue.entries[0];
    EXPECT_EQ(first.position, 2147483647); // 19 digits saturate: never selected
    EXPECT_EQ(first.shortName, std::string(19, 's'));
    EXPECT_EQ(first.displayName, std::string(98, 'n'));
    EXPECT_EQ(first.version, 123456789);
    const DictionaryEntry& second = catalogue.entries[1];
    EXPECT_EQ(second.position, -7);
    EXPECT_EQ(second.shortName, "a\tb\t");
    EXPECT_EQ(second.displayName, "Tab\t");
    EXPECT_EQ(second.version, 0);
}

TEST(Reader, FileListItemsNamesAndTimes) {
    const std::string name95(95, 'n');
    const auto catalogue =
        parse(kHeader + "0|a||d|1\n" + "0|a|x@20100704;|d|1\n" +
              "0|a|plain ; two@20100704-083015@late ; @ |d|1\n" + "0|a|" + name95 +
              "@20100704-083015|d|1\n" + "0|a|" + std::string(600, ';') + "|d|1\n");
    const auto& empty = catalogue.entries[0].files;
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].name, "");
    EXPECT_EQ(empty[0].modified, 125911620610000000u);

    const auto& trailing = catalogue.entries[1].files;
    ASSERT_EQ(trailing.size(), 2u);
    EXPECT_EQ(trailing[0].name, "x");
    EXPECT_EQ(trailing[0].modified, 129226788610000000u); // 2010-07-04 01:01:01
    EXPECT_EQ(trailing[1].name, "");

    const auto& mixed = catalogue.entries[2].files;
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0].name, "plain");
    EXPECT_EQ(mixed[0].modified, 125911620610000000u);
    EXPECT_EQ(mixed[1].name, "two");
    EXPECT_EQ(mixed[1].modified, 129227058150000000u);
    EXPECT_EQ(mixed[2].name, "");
    EXPECT_EQ(mixed[2].modified, 125911620610000000u);

    // The item is cut to 99 characters first: only "201" of the time is left, no valid time.
    const auto& cut = catalogue.entries[3].files;
    EXPECT_EQ(cut[0].name, name95);
    EXPECT_EQ(cut[0].modified, 0u);

    // The file list is cut to 499 characters: 499 ";" and 500 files.
    EXPECT_EQ(catalogue.entries[4].files.size(), 500u);
}

TEST(Reader, NulEndsTheText) {
    const auto catalogue = parse(kHeader + "1|a|f|d|2\n2|a|f|d|\0"
                                           "3\n3|a|f|d|4"s);
    ASSERT_EQ(catalogue.entries.size(), 2u);
    EXPECT_EQ(catalogue.entries[1].version, 0);
}

// Fuzz-like: arbitrary bytes, long lines and floods of separators parse without a fault.
TEST(Reader, SurvivesArbitraryText) {
    std::mt19937 random(11);
    const std::string special = "|;@ \r\n\t\x1a\0"s;
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 3000, ' ');
        const bool structured = round % 2 == 0;
        for (char& c : text)
            c = structured && random() % 2 ? special[random() % special.size()]
                                           : static_cast<char>(random() % 256);
        if (round % 3 == 0) text.insert(0, kHeader);
        CatalogueHeader header;
        DictionaryCatalogue catalogue;
        if (parseCatalogue(text, header, catalogue)) {
            for (const DictionaryEntry& entry : catalogue.entries) {
                ASSERT_LE(entry.shortName.size(), 19u);
                ASSERT_LE(entry.displayName.size(), 99u);
                ASSERT_LE(entry.files.size(), 250u);
            }
        } else {
            ASSERT_TRUE(catalogue.entries.empty());
        }
    }
    parse(kHeader + std::string(70000, '|'));
    parse(kHeader + std::string(999, '|') + "\n" + std::string(998, ';') + "\n" +
          std::string(5000, '@'));
}

// What the file read hands on, as the Windows runtime's text mode delivers it.
std::string textMode(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1a'; ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            text.push_back(bytes[i]);
    return text.substr(0, 65536);
}

TEST(ReaderFile, ReadsTextModeAndAtMost65536Characters) {
    zettest::TempDir dir;
    // Lines of varied length put a CR LF across every read boundary the platform may use.
    for (std::size_t shift = 0; shift < 9; ++shift) {
        std::string bytes = "P|1|2|3|4|5|6|7" + std::string(shift, ' ') + "\r\n";
        for (int i = 0; bytes.size() < 80000; ++i)
            bytes += std::to_string(i) + "|s|f@20100704|d|" + std::to_string(i % 7) + "\r\n";
        zettest::writeFile(dir.file("big.txt"), bytes);
        CatalogueHeader header;
        DictionaryCatalogue catalogue;
        ASSERT_TRUE(readCatalogue(dir.file("big.txt"), header, catalogue));
        const DictionaryCatalogue expected = parse(textMode(bytes));
        ASSERT_EQ(catalogue.entries.size(), expected.entries.size()) << shift;
        for (std::size_t i = 0; i < expected.entries.size(); ++i) {
            ASSERT_EQ(catalogue.entries[i].position, expected.entries[i].position) << i;
            ASSERT_EQ(catalogue.entries[i].version, expected.entries[i].version) << i;
        }
    }
}

TEST(ReaderFile, ALineCutByTheLimitIsReadAsCut) {
    zettest::TempDir dir;
    const std::string last = "5 | ab | f | Name | 12";
    const std::string bytes =
        kHeader + std::string(65536 - kHeader.size() - last.size(), '\n') + last + "3\n6|x|f|d|1\n";
    zettest::writeFile(dir.file("cut.txt"), bytes);
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    ASSERT_TRUE(readCatalogue(dir.file("cut.txt"), header, catalogue));
    ASSERT_EQ(catalogue.entries.size(), 65536 - kHeader.size() - last.size() + 1);
    EXPECT_EQ(catalogue.entries.back().position, 5);
    EXPECT_EQ(catalogue.entries.back().version, 12);
}

TEST(ReaderFile, LineEndsCtrlZAndNul) {
    zettest::TempDir dir;
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    zettest::writeFile(dir.file("ends.txt"), kHeader + "1|a|f|d|1\r\n2|a|f|d|2\r3|a|f|d|3\n\r\n"
                                                       "4|a|f|d|4\r\r\n5|a|f|d|5");
    ASSERT_TRUE(readCatalogue(dir.file("ends.txt"), header, catalogue));
    std::vector<int> positions;
    for (const auto& entry : catalogue.entries) positions.push_back(entry.position);
    // CR CR LF is delivered as CR LF, which is one line end again.
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, -1, 4, 5}));

    zettest::writeFile(dir.file("ctrlz.txt"), kHeader + "1|a|f|d|1\n2|a|f|d|2\x1a\n3|a|f|d|3\n");
    ASSERT_TRUE(readCatalogue(dir.file("ctrlz.txt"), header, catalogue));
    ASSERT_EQ(catalogue.entries.size(), 2u);
    EXPECT_EQ(catalogue.entries[1].version, 2);

    zettest::writeFile(dir.file("zero.txt"), kHeader + "1|a|f|d|1\n2|a|f|d|2\0\n3|a|f|d|3\n"s);
    ASSERT_TRUE(readCatalogue(dir.file("zero.txt"), header, catalogue));
    EXPECT_EQ(catalogue.entries.size(), 2u);

    zettest::writeFile(dir.file("startz.txt"), "\x1a" + kHeader);
    EXPECT_FALSE(readCatalogue(dir.file("startz.txt"), header, catalogue));
    EXPECT_TRUE(catalogue.entries.empty());
}

TEST(ReaderFile, AnUnopenableFileKeepsTheCatalogueAnInvalidOneEmptiesIt) {
    zettest::TempDir dir;
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    zettest::writeFile(dir.file("good.txt"), kHeader + "1|a|f|d|1\n");
    zettest::writeFile(dir.file("six.txt"), "a|b|c|d|e|f|g\n1|a|f|d|1\n");
    zettest::writeFile(dir.file("empty.txt"), "");
    ASSERT_TRUE(readCatalogue(dir.file("good.txt"), header, catalogue));
    for (const std::string& path : {dir.file("missing.txt"), std::string(), dir.str()}) {
        EXPECT_FALSE(readCatalogue(path, header, catalogue)) << path;
        EXPECT_EQ(catalogue.entries.size(), 1u) << path;
    }
    EXPECT_FALSE(readCatalogue(dir.file("six.txt"), header, catalogue));
    EXPECT_TRUE(catalogue.entries.empty());
    ASSERT_TRUE(readCatalogue(dir.file("good.txt"), header, catalogue));
    EXPECT_FALSE(readCatalogue(dir.file("empty.txt"), header, catalogue));
    EXPECT_TRUE(catalogue.entries.empty());
}

} // namespace
