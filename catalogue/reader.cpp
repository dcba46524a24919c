#include "catalogue/reader.h"

#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "platform/files.h"

#include <algorithm>
#include <new>

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

// Whether a line has the fields it needs: at least fields - 1 separators anywhere in it.
bool hasFields(std::string_view line, std::size_t fields) {
    return !line.empty() &&
           static_cast<std::size_t>(std::count(line.begin(), line.end(), '|')) >= fields - 1;
}

void readHeader(std::string_view line, CatalogueHeader& header) {
    const std::vector<std::string_view> pieces = splitAt(line, '|', kHeaderFields);
    for (std::size_t k = 0; k < kHeaderFields; ++k)
        header.fields[k] = fieldText(pieces, k, k == 5 ? kNumberCapacity : kHeaderTextCapacity);
    header.number = parseNumber(header.fields[5]);
}

// Every item of a file list becomes a file, so a list of n ";" gives n + 1 files, empty items
// included.
std::vector<DictionaryFile> readFiles(std::string_view fileList) {
    const std::vector<std::string_view> items = splitAt(fileList, ';');
    std::vector<DictionaryFile> files(items.size());
    for (std::size_t m = 0; m < items.size(); ++m) {
        // The item is cut before it is split, so a long name can leave only part of its time.
        const std::string item = fieldText(items, m, kItemCapacity);
        const std::vector<std::string_view> halves = splitAt(item, '@', 2);
        files[m].name = fieldText(halves, 0, kNameCapacity);
        files[m].modified = timestampToFileTime(fieldText(halves, 1, kTimestampCapacity));
    }
    return files;
}

DictionaryEntry readEntry(std::string_view line) {
    const std::vector<std::string_view> pieces = splitAt(line, '|', kDictionaryFields);
    DictionaryEntry entry;
    entry.position = parseNumber(fieldText(pieces, 0, kPositionCapacity));
    entry.shortName = fieldText(pieces, 1, kShortNameCapacity);
    entry.files = readFiles(fieldText(pieces, 2, kFileListCapacity));
    entry.displayName = fieldText(pieces, 3, kDisplayNameCapacity);
    entry.version = parseNumber(fieldText(pieces, 4, kNumberCapacity));
    return entry;
}

} // namespace

bool parseCatalogue(std::string_view text, CatalogueHeader& header,
                    DictionaryCatalogue& catalogue) {
    catalogue.entries.clear();
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    std::string_view line;
    std::size_t next = nextLine(text, 0, line, kLineCapacity);
    if (!hasFields(line, kHeaderFields)) return false;
    readHeader(line, header);

    // A text that is only a header has no line after it; an empty text never gets here.
    std::vector<DictionaryEntry> entries(countLines(text) - 1);
    for (DictionaryEntry& entry : entries) {
        next = nextLine(text, next, line, kLineCapacity);
        if (hasFields(line, kDictionaryFields)) entry = readEntry(line);
    }
    catalogue.entries = std::move(entries);
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

} // namespace zet::catalogue
