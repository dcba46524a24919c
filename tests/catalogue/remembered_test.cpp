// A remembered catalogue gives exactly what a fresh read gives, whatever came before: the same
// header, and in every slot the same position and, parsed on demand, the same entry.
#include "catalogue/reader.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace {

using namespace zet::catalogue;
using namespace std::string_literals;

// Everything a read leaves that a query can see, as one text. Built with += only: the cross
// compiler's string concatenation warns falsely about overlapping copies.
std::string describe(bool ok, const CatalogueHeader& header, const DictionaryCatalogue& catalogue) {
    std::string out = ok ? "ok" : "failed";
    const auto add = [&out](std::string_view separator, std::string_view value) {
        out += separator;
        out += value;
    };
    if (ok)
        for (const std::string& field : header.fields) add(" ", field);
    add(" ", std::to_string(header.number));
    for (const DictionaryEntry& entry : catalogue.entries) {
        add("\n", std::to_string(entry.position));
        add(" ", entry.shortName);
        add(" | ", entry.displayName);
        add(" | ", std::to_string(entry.version));
        for (const DictionaryFile& file : entry.files) {
            add(" ", file.name);
            add("@", std::to_string(file.modified));
        }
    }
    return out;
}

// The remembered catalogue's slots, each entry parsed from its line. The index's position must
// be the one the entry's own parse gives: selections look only at the index.
DictionaryCatalogue entriesOf(RememberedCatalogue& remembered) {
    DictionaryCatalogue catalogue;
    const std::vector<int>& positions = slotPositions(remembered);
    EXPECT_EQ(positions.size(), remembered.lines.size());
    for (std::size_t slot = 0; slot < remembered.lines.size(); ++slot) {
        rememberedEntry(remembered, slot, catalogue.entries.emplace_back());
        EXPECT_EQ(catalogue.entries.back().position, positions[slot]) << slot;
    }
    return catalogue;
}

TEST(RememberedCatalogue, EveryReadMatchesAFreshRead) {
    zettest::TempDir dir;
    const std::string a = "A|1|2|3|4|5|6|7\n0|a|x@20100704-083015;y|Alpha|1\n1|b||Beta|2\n";
    const std::string b = "B|1|2|3|4|9|6|7\n0|c|z@20110101-000000|Gamma|3\n";
    const std::string files[][2] = {
        {"a.txt", a},
        {"b.txt", b},
        {"a.txt", a},
        {"missing.txt", ""},
        {"invalid.txt", "a|b|c|d|e|f|g\n0|a|x|A|1\n"},
        {"a.txt", a},
        {"a.txt", a},
        {"empty.txt", ""},
        {"a.txt", a},
        // The same catalogue written with CR LF delivers the same text.
        {"crlf.txt", "A|1|2|3|4|5|6|7\r\n0|a|x@20100704-083015;y|Alpha|1\r\n1|b||Beta|2\r\n"},
        // A text that differs only after a NUL parses alike but is another text.
        {"nul.txt", a + "\0tail"s},
        {"a.txt", a},
        {"header.txt", "A|1|2|3|4|5|6|7"},
        {"a.txt", a},
        {"ctrlz.txt", "\x1a" + a},
        {"a.txt", a},
        // Lines that do not qualify, a lone CR, a NUL inside the last line, a cut field.
        {"mixed.txt", "A|1|2|3|4|5|6|7\r\n\n0|a|b|c\r2|b|x@1|B|2\n" + std::string(1000, 'x') +
                          "\n 7 |" + std::string(30, 'n') + "|f@20100704-083015|D|4\0|x|y"s},
        {"a.txt", a},
    };
    RememberedCatalogue remembered;
    DictionaryCatalogue fresh;
    for (const auto& [name, text] : files) {
        const std::string path = dir.file(name);
        if (name != "missing.txt") zettest::writeFile(path, text);
        CatalogueHeader freshHeader;
        const bool freshOk = readCatalogue(path, freshHeader, fresh);
        const bool rememberedOk = rereadCatalogue(path, remembered);
        const CatalogueHeader rememberedHeader =
            rememberedOk ? remembered.header : CatalogueHeader{};
        ASSERT_EQ(describe(rememberedOk, rememberedHeader, entriesOf(remembered)),
                  describe(freshOk, freshHeader, fresh))
            << name;
    }
}

TEST(RememberedCatalogue, AFileChangedInPlaceIsReadAnew) {
    zettest::TempDir dir;
    const std::string path = dir.file("cat.txt");
    RememberedCatalogue remembered;
    zettest::writeFile(path, "H|1|2|3|4|5|6|7\n0|a|x|Old|1\n");
    ASSERT_TRUE(rereadCatalogue(path, remembered));
    zettest::writeFile(path, "H|1|2|3|4|5|6|7\n0|a|x|New|1\n");
    ASSERT_TRUE(rereadCatalogue(path, remembered));
    DictionaryEntry entry;
    rememberedEntry(remembered, 0, entry);
    EXPECT_EQ(entry.displayName, "New");
    zettest::writeFile(path, "H|1|2|3|4|5|6\n0|a|x|New|1\n");
    EXPECT_FALSE(rereadCatalogue(path, remembered));
    EXPECT_TRUE(remembered.lines.empty());
}

} // namespace
