// The dictionary catalogue: a header line describing the product, then one line per
// installable dictionary with its files and their times.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zet::catalogue {

struct ReadNotes;

struct CatalogueHeader {
    // The eight header fields as texts; field 5 holds only the 9 characters its number is read
    // from.
    std::array<std::string, 8> fields;
    // Header field 5 as a number.
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

// One entry per line after the header, in file order.
struct DictionaryCatalogue {
    std::vector<DictionaryEntry> entries;
};

// Reads the catalogue at `path` into `header` and `catalogue`. A file that cannot be opened
// leaves both untouched and gives false. Once it is open the previous catalogue is gone: false
// then leaves it empty (nothing read, or a header line that is empty, too long or has fewer
// than seven "|"), and the header means nothing.
//
// With `notes`, the read also notes what it drops, passes over or reads otherwise than it is
// written (see catalogue/notes.h); the catalogue it reads is the same.
bool readCatalogue(const std::string& path, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                   ReadNotes* notes = nullptr);

// A catalogue with the text and header of its last successful parse. The parse depends on
// nothing but the text, so reading exactly that text again may keep the catalogue as it is.
struct RememberedCatalogue {
    DictionaryCatalogue catalogue;
    std::string text;
    CatalogueHeader header;
    // Whether text and header still describe the catalogue.
    bool current = false;
};

// Reads as readCatalogue does, but when the file gives exactly the text of the last successful
// parse, the catalogue stays as it is and the header is that parse's header.
bool rereadCatalogue(const std::string& path, CatalogueHeader& header,
                     RememberedCatalogue& remembered);

// Reads an already loaded catalogue text, as readCatalogue does after the file is read.
bool parseCatalogue(std::string_view text, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                    ReadNotes* notes = nullptr);

} // namespace zet::catalogue
