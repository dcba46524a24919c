#include "catalogue/reader.h"

#include "catalogue/capacities.h"
#include "catalogue/noting.h"
#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "platform/files.h"
#include "platform/textrules.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace zet::catalogue {

namespace {

// Reads at most kCatalogueCharacters of the file's text into `text`; false when the file cannot
// be opened.
bool readText(const std::string& path, std::string& text, ReadNotes* notes) {
    if (!notes) return platform::readTextFileInto(path, kCatalogueCharacters, text);
    // One character more shows whether the limit cuts the file; once noted, it goes again.
    if (!platform::readTextFileInto(path, kCatalogueCharacters + 1, text)) return false;
    noteUnreadEnd(*notes, path, text);
    text.resize(std::min(text.size(), kCatalogueCharacters));
    return true;
}

// How many of its first `fields` fields a line has. It qualifies when it has them all: it is
// not empty (a line too long to be read reads as empty) and has the separators they need
// (those after them are never looked at).
std::size_t fieldsFound(std::string_view line, std::size_t fields) {
    return line.empty() ? 0 : fieldsIn(line, '|', fields);
}

bool isDictionaryLine(std::string_view line) {
    return fieldsFound(line, kDictionaryFields) == kDictionaryFields;
}

// Takes the next line of `text` (line `line` of the file, for the notes) and splits it into its
// first `pieces.size()` fields; false when it does not qualify.
bool takeFields(std::string_view text, LineReader& lines, std::span<std::string_view> pieces,
                ReadNotes* notes, std::size_t line) {
    const std::size_t start = lines.position();
    const std::string_view read = catalogueLine(lines);
    const std::size_t found = fieldsFound(read, pieces.size());
    if (found == pieces.size()) {
        splitInto(read, '|', pieces);
        return true;
    }
    if (notes)
        notePassedOver(*notes, line, text.substr(start, lines.position() - start), read, found,
                       pieces.size());
    return false;
}

// Reads line 1 into `header`; false when it does not qualify.
bool takeHeader(std::string_view text, LineReader& lines, CatalogueHeader& header,
                ReadNotes* notes) {
    std::array<std::string_view, kHeaderFields> pieces{};
    if (!takeFields(text, lines, pieces, notes, kHeaderLine)) return false;
    for (std::size_t k = 0; k < kHeaderFields; ++k) header.fields[k] = headerField(pieces, k);
    header.number = parseNumber(header.fields[kHeaderNumberField]);
    if (notes) noteHeader(*notes, pieces);
    return true;
}

// Every item of a file list becomes a file, name "@" timestamp, so a list of n ";" gives n + 1
// files, empty items included. The files already in the list are refilled in place, keeping
// their memory.
void readFiles(std::string_view fileList, std::vector<DictionaryFile>& files, ReadNotes* notes,
               std::size_t line) {
    std::size_t count = 0;
    for (std::size_t start = 0;; ++count) {
        const std::size_t end = fileList.find(';', start);
        const std::string_view piece = fileList.substr(start, end - start);
        const FileItem item = fileItem(piece, start > 0);
        if (notes) noteFile(*notes, line, count, piece, start > 0, item);
        if (count == files.size()) files.emplace_back();
        files[count].name = item.name;
        files[count].modified = timestampToFileTime(item.timestamp);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    // Only ever fewer than before: the files of a longer list go.
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(count + 1), files.end());
}

// The position of a dictionary line that qualifies: all a selection looks at.
int entryPosition(std::span<const std::string_view> pieces) {
    return parseNumber(dictionaryField(pieces, kPositionField));
}

// A dictionary line that qualifies, split into its fields.
void readEntry(std::span<const std::string_view> pieces, DictionaryEntry& entry, ReadNotes* notes,
               std::size_t line) {
    if (notes) noteEntry(*notes, line, pieces);
    entry.position = entryPosition(pieces);
    entry.shortName = dictionaryField(pieces, kShortNameField);
    readFiles(dictionaryField(pieces, kFileListField), entry.files, notes, line);
    entry.displayName = dictionaryField(pieces, kDisplayNameField);
    entry.version = parseNumber(dictionaryField(pieces, kVersionField));
}

// Empties an entry but keeps the memory of its texts and files for the next fill.
void clearEntry(DictionaryEntry& entry) {
    entry.position = -1;
    entry.shortName.clear();
    entry.displayName.clear();
    entry.version = 0;
}

// The slots after the header, as parseCatalogue walks them: where each line stands.
void indexLines(LineReader& lines, std::vector<CatalogueLine>& index) {
    while (!lines.atEnd()) {
        const std::size_t start = lines.position();
        index.push_back({start, catalogueLine(lines).size()});
    }
}

// A slot's line as the walk read it: without its line end, empty when too long to be read.
// Whether it qualifies is then the same question takeFields asks.
std::string_view slotText(const RememberedCatalogue& remembered, std::size_t slot) {
    const CatalogueLine& at = remembered.lines.at(slot);
    return std::string_view(remembered.text).substr(at.start, at.length);
}

} // namespace

bool parseCatalogue(std::string_view text, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                    ReadNotes* notes) {
    if (notes) noteUnreadAfterNul(*notes, text);
    text = platform::beforeFirstNul(text);
    LineReader lines(text);
    if (!takeHeader(text, lines, header, notes)) {
        catalogue.entries.clear();
        return false;
    }

    // Every line after the header is a slot, also one that does not qualify. The entries of
    // the previous catalogue are refilled in place, so that reading a catalogue again mostly
    // reuses their memory.
    std::vector<DictionaryEntry>& entries = catalogue.entries;
    std::size_t count = 0;
    for (; !lines.atEnd(); ++count) {
        if (count == entries.size()) entries.emplace_back();
        DictionaryEntry& entry = entries[count];
        clearEntry(entry);
        std::array<std::string_view, kDictionaryFields> pieces{};
        if (takeFields(text, lines, pieces, notes, slotLine(count)))
            readEntry(pieces, entry, notes, slotLine(count));
        else
            entry.files.clear();
    }
    entries.resize(count);
    return true;
}

bool readCatalogue(const std::string& path, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                   ReadNotes* notes) {
    std::string text;
    if (!readText(path, text, notes)) return false;
    return parseCatalogue(text, header, catalogue, notes);
}

// A call that runs out of memory ends midway, without unwinding in the DLL, so the remembered
// state is whole at every step: it counts as current only once its lines are indexed, and an
// append that fails leaves its container as it was.
bool rereadCatalogue(const std::string& path, RememberedCatalogue& remembered) {
    std::string& incoming = remembered.incoming;
    if (!readText(path, incoming, nullptr)) return false;
    if (remembered.current && incoming == remembered.text) return true;
    remembered.current = false;
    remembered.lines.clear();
    remembered.positions.clear();
    std::swap(remembered.text, incoming);
    const std::string_view parsed = platform::beforeFirstNul(remembered.text);
    LineReader lines(parsed);
    if (!takeHeader(parsed, lines, remembered.header, nullptr)) return false;
    indexLines(lines, remembered.lines);
    remembered.current = true;
    return true;
}

const std::vector<int>& slotPositions(RememberedCatalogue& remembered) {
    std::vector<int>& positions = remembered.positions;
    for (std::size_t slot = positions.size(); slot < remembered.lines.size(); ++slot) {
        const std::string_view line = slotText(remembered, slot);
        std::array<std::string_view, 1> first{};
        const bool qualifies = isDictionaryLine(line);
        if (qualifies) splitInto(line, '|', first);
        positions.push_back(qualifies ? entryPosition(first) : -1);
    }
    return positions;
}

void rememberedEntry(const RememberedCatalogue& remembered, std::size_t slot,
                     DictionaryEntry& entry) {
    const std::string_view line = slotText(remembered, slot);
    std::array<std::string_view, kDictionaryFields> pieces{};
    if (!isDictionaryLine(line)) return;
    splitInto(line, '|', pieces);
    readEntry(pieces, entry, nullptr, 0);
}

} // namespace zet::catalogue
