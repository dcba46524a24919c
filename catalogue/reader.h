// The dictionary catalogue: a header line describing the product, then one line per
// installable dictionary with its files and their times.
#pragma once

#include "catalogue/capacities.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zet::catalogue {

struct ReadNotes;

struct CatalogueHeader {
    // The header fields as texts; the number field holds only the characters its number is
    // read from.
    std::array<std::string, kHeaderFields> fields;
    // The number field as a number.
    int number = 0;
};

struct DictionaryFile {
    std::string name;
    // A FILETIME: 100-ns intervals since 1 January 1601 UTC.
    std::uint64_t modified = 0;
};

// One dictionary line. A line that does not qualify leaves an empty entry (position -1, no
// files), which no selection ever picks.
struct DictionaryEntry {
    int position = -1;
    std::string shortName;
    std::string displayName;
    int version = 0;
    std::vector<DictionaryFile> files;
};

// One entry per line after the header, in file order: each line is a slot.
struct DictionaryCatalogue {
    std::vector<DictionaryEntry> entries;
};

// Lines of the file are counted from 1, as the reader walks them; the header is the first.
inline constexpr std::size_t kHeaderLine = 1;
// The line of the file on which slot `slot` (from 0) stands.
constexpr std::size_t slotLine(std::size_t slot) {
    return kHeaderLine + 1 + slot;
}

// Reads the catalogue at `path` into `header` and `catalogue`. A file that cannot be opened
// leaves both untouched and gives false. Once it is open the previous catalogue is gone: false
// then leaves it empty (nothing read, or a header line that is empty, too long or has fewer
// than seven "|"), and the header means nothing.
//
// With `notes`, the read also notes what it drops, passes over or reads otherwise than it is
// written (see catalogue/notes.h); the catalogue it reads is the same.
bool readCatalogue(const std::string& path, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                   ReadNotes* notes = nullptr);

// A line after the header as the remembering read indexes it: where it stands in the text,
// without its line end (empty for a line too long to be read).
struct CatalogueLine {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The text and header of the last successful read, with its lines indexed. A read finds the
// lines and nothing more; the positions are worked out when a selection first needs them, and
// an entry is parsed only when a query picks it.
struct RememberedCatalogue {
    std::string text;
    // What the latest read delivered, kept so that the next read reuses its memory.
    std::string incoming;
    // The header of the last successful read.
    CatalogueHeader header;
    std::vector<CatalogueLine> lines;
    // The position of every line's dictionary (-1 for a line that does not qualify), once a
    // selection has asked for them; empty until then.
    std::vector<int> positions;
    // Whether text, header and lines still describe the last successful read.
    bool current = false;
};

// Reads as readCatalogue does, into the index and its header: when the file gives exactly the
// text of the last successful read, nothing is parsed. A file that cannot be opened leaves the
// index as it is; any other failure empties it.
bool rereadCatalogue(const std::string& path, RememberedCatalogue& remembered);

// The position of every line's dictionary, as readCatalogue gives them in its entries; worked
// out on the first call after a read.
const std::vector<int>& slotPositions(RememberedCatalogue& remembered);

// Fills `entry`, a new one, with the entry of line `slot` (from 0, after the header) of the
// remembered text, exactly as readCatalogue gives it.
void rememberedEntry(const RememberedCatalogue& remembered, std::size_t slot,
                     DictionaryEntry& entry);

// Reads an already loaded catalogue text, as readCatalogue does after the file is read.
bool parseCatalogue(std::string_view text, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                    ReadNotes* notes = nullptr);

} // namespace zet::catalogue
