// The reader's notes: where they stand, what they say, and that asking for them changes
// nothing in what is read.
#include "catalogue/notes.h"
#include "catalogue/reader.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace {

using namespace zet::catalogue;
using namespace std::string_literals;

const std::string kHeader = "P | 1 | 2 | 3 | 4 | 5 | 6 | 7\n";

std::vector<ReadNote> notesOf(std::string_view text) {
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    ReadNotes notes;
    parseCatalogue(text, header, catalogue, &notes);
    return notes.notes;
}

bool sameCatalogue(const DictionaryCatalogue& a, const DictionaryCatalogue& b) {
    if (a.entries.size() != b.entries.size()) return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const auto &x = a.entries[i], &y = b.entries[i];
        if (x.position != y.position || x.shortName != y.shortName ||
            x.displayName != y.displayName || x.version != y.version ||
            x.files.size() != y.files.size())
            return false;
        for (std::size_t f = 0; f < x.files.size(); ++f)
            if (x.files[f].name != y.files[f].name || x.files[f].modified != y.files[f].modified)
                return false;
    }
    return true;
}

TEST(Notes, ReadingWithNotesReadsTheSameCatalogue) {
    for (const char* name : {"catalogue/walk.cat", "check/catalogue.txt"}) {
        zettest::TempDir dir;
        const std::string path = dir.file("c.txt");
        zettest::writeFile(path, zettest::testData(name));
        CatalogueHeader plainHeader, notedHeader;
        DictionaryCatalogue plain, noted;
        ReadNotes notes;
        EXPECT_EQ(readCatalogue(path, plainHeader, plain),
                  readCatalogue(path, notedHeader, noted, &notes));
        EXPECT_TRUE(sameCatalogue(plain, noted)) << name;
        EXPECT_EQ(plainHeader.fields, notedHeader.fields);
    }
}

TEST(Notes, LinesCountAsTheReaderCountsThem) {
    // CR LF arrives as LF; a lone CR and a lone LF each end a line too.
    const auto notes = notesOf(kHeader + "0 | a | x@20100704-083015 | A | 1\r" +
                               "1 | b | y@2010 | B | 1\n" + "\n" + "2 | c |");
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, NoteKind::inexactTimestamp);
    EXPECT_EQ(notes[0].line, 3u);
    EXPECT_EQ(notes[1].kind, NoteKind::lineEmpty);
    EXPECT_EQ(notes[1].line, 4u);
    EXPECT_EQ(notes[2].kind, NoteKind::lineTooFewFields);
    EXPECT_EQ(notes[2].line, 5u);
    EXPECT_EQ(notes[2].length, 2u);
}

TEST(Notes, OnlyWhatIsLostIsNoted) {
    // Blanks past a limit would go with the trailing blanks anyway; a 99-character name fits.
    EXPECT_TRUE(notesOf(kHeader + "0 | a | x@20100704-083015 | " + std::string(99, 'n') +
                        std::string(30, ' ') + "| 1")
                    .empty());
    const auto notes =
        notesOf(kHeader + "0 | a | x@20100704-083015 | " + std::string(99, 'n') + "lost  | 1");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, NoteKind::fieldCut);
    EXPECT_EQ(notes[0].field, Field::displayName);
    EXPECT_EQ(notes[0].limit, 99u);
    EXPECT_EQ(notes[0].text, "lost");
}

TEST(Notes, NumbersAndTimestampsAsTheyRead) {
    const auto notes = notesOf(kHeader + " +3 | a | x@20100230-000000 ; y | A | 7 b");
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, NoteKind::numberTrailingText);
    EXPECT_EQ(notes[0].field, Field::version);
    EXPECT_EQ(notes[1].kind, NoteKind::inexactTimestamp); // 30 February
    EXPECT_FALSE(notes[1].validTime);
    EXPECT_EQ(notes[2].kind, NoteKind::inexactTimestamp); // no timestamp: the defaults
    EXPECT_EQ(notes[2].index, 1u);
    EXPECT_TRUE(notes[2].validTime);
    EXPECT_EQ(notes[2].time.year, 2000);
}

TEST(Notes, TextThatIsNeverRead) {
    zettest::TempDir dir;
    const std::string path = dir.file("c.txt");
    CatalogueHeader header;
    DictionaryCatalogue catalogue;
    const auto read = [&](const std::string& bytes) {
        zettest::writeFile(path, bytes);
        ReadNotes notes;
        readCatalogue(path, header, catalogue, &notes);
        return notes.notes;
    };
    // A Ctrl-Z or a NUL at the very end hides nothing.
    EXPECT_TRUE(read(kHeader + "\x1a").empty());
    EXPECT_TRUE(read(kHeader + "\0"s).empty());
    auto notes = read("P | 1 | 2 | 3 | 4 | 5 | 6 | 7\r\n\r\n\x1a"
                      "0 | a | x@20100704-083015 | A | 1\r\n");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, NoteKind::unreadAfterCtrlZ);
    EXPECT_EQ(notes[0].line, 3u);
    notes = read(std::string(kHeader) + "0 | a | x@20100704-083015 | A\0 | 1\n"s);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, NoteKind::unreadAfterNul);
    EXPECT_EQ(notes[0].line, 2u);
    EXPECT_EQ(notes[1].kind, NoteKind::lineTooFewFields);
    notes = read("");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, NoteKind::emptyFile);
    EXPECT_EQ(notes[1].kind, NoteKind::headerEmpty);
}

} // namespace
