#include "catalogue/reader.h"

#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "platform/files.h"

#include <algorithm>
#include <array>
#include <new>
#include <span>

namespace zet::catalogue {

namespace {

// Only this many characters of a catalogue are read; a line cut by the limit reads as cut.
constexpr std::size_t kCatalogueCharacters = 65536;
// Capacities with the terminator: a line of 1000 characters or more reads as empty.
constexpr std::size_t kLineCapacity = 1000;
constexpr std::size_t kHeaderTextCapacity = 50;
constexpr std::size_t kNumberCapacity = 10;
constexpr std::size_t kPositionCapacity = 20;
constexpr std::size_t kShortNameCapacity = 20;
constexpr std::size_t kFileListCapacity = 500;
constexpr std::size_t kDisplayNameCapacity = 100;
constexpr std::size_t kItemCapacity = 100;
constexpr std::size_t kNameCapacity = 100;
constexpr std::size_t kTimestampCapacity = 30;

constexpr std::size_t kHeaderFields = 8;
constexpr std::size_t kDictionaryFields = 5;

// Splits a line into its first `pieces.size()` fields. False when it does not qualify: empty,
// or with fewer separators than that many fields need (those after them are never looked at).
bool splitLine(std::string_view line, std::span<std::string_view> pieces) {
    return !line.empty() && splitInto(line, '|', pieces) == pieces.size();
}

void readHeader(std::span<const std::string_view> pieces, CatalogueHeader& header) {
    for (std::size_t k = 0; k < kHeaderFields; ++k)
        header.fields[k] = fieldView(pieces, k, k == 5 ? kNumberCapacity : kHeaderTextCapacity);
    header.number = parseNumber(header.fields[5]);
}

// One item of a file list: name "@" timestamp, read into `file`. The item is cut before it is
// split, so a long name can leave only part of its time.
void readFile(std::string_view piece, bool afterSeparator, DictionaryFile& file) {
    std::array<std::string_view, 2> halves{};
    splitInto(trimField(piece, afterSeparator, kItemCapacity), '@', halves);
    file.name = fieldView(halves, 0, kNameCapacity);
    file.modified = timestampToFileTime(fieldView(halves, 1, kTimestampCapacity));
}

// Every item of a file list becomes a file, so a list of n ";" gives n + 1 files, empty items
// included. The files already in the list are refilled in place, keeping their memory.
void readFiles(std::string_view fileList, std::vector<DictionaryFile>& files) {
    std::size_t count = 0;
    std::size_t start = 0;
    for (;; ++count) {
        const std::size_t end = fileList.find(';', start);
        if (count == files.size()) files.emplace_back();
        readFile(fileList.substr(start, end - start), start > 0, files[count]);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    files.resize(count + 1);
}

void readEntry(std::span<const std::string_view> pieces, DictionaryEntry& entry) {
    entry.position = parseNumber(fieldView(pieces, 0, kPositionCapacity));
    entry.shortName = fieldView(pieces, 1, kShortNameCapacity);
    readFiles(fieldView(pieces, 2, kFileListCapacity), entry.files);
    entry.displayName = fieldView(pieces, 3, kDisplayNameCapacity);
    entry.version = parseNumber(fieldView(pieces, 4, kNumberCapacity));
}

// Empties an entry but keeps the memory of its texts and files for the next fill.
void clearEntry(DictionaryEntry& entry) {
    entry.position = -1;
    entry.shortName.clear();
    entry.displayName.clear();
    entry.version = 0;
}

} // namespace

bool parseCatalogue(std::string_view text, CatalogueHeader& header,
                    DictionaryCatalogue& catalogue) {
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    LineReader lines(text);
    std::array<std::string_view, kHeaderFields> headerPieces{};
    if (!splitLine(lines.next(kLineCapacity), headerPieces)) {
        catalogue.entries.clear();
        return false;
    }
    readHeader(headerPieces, header);

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
        if (splitLine(lines.next(kLineCapacity), pieces))
            readEntry(pieces, entry);
        else
            entry.files.clear();
    }
    entries.resize(count);
    return true;
}

bool readCatalogue(const std::string& path, CatalogueHeader& header,
                   DictionaryCatalogue& catalogue) {
    try {
        const std::optional<std::string> text = platform::readTextFile(path, kCatalogueCharacters);
        if (!text) return false;
        return parseCatalogue(*text, header, catalogue);
    } catch (const std::bad_alloc&) {
        // Out of memory while reading fails the read like any other fault after the open.
        catalogue.entries.clear();
        return false;
    }
}

bool rereadCatalogue(const std::string& path, CatalogueHeader& header,
                     RememberedCatalogue& remembered) {
    try {
        std::optional<std::string> text = platform::readTextFile(path, kCatalogueCharacters);
        if (!text) return false;
        if (remembered.current && *text == remembered.text) {
            header = remembered.header;
            return true;
        }
        remembered.current = false;
        if (!parseCatalogue(*text, header, remembered.catalogue)) return false;
        remembered.text = std::move(*text);
        remembered.header = header;
        remembered.current = true;
        return true;
    } catch (const std::bad_alloc&) {
        remembered.current = false;
        remembered.catalogue.entries.clear();
        return false;
    }
}

} // namespace zet::catalogue
