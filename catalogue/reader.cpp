#include "catalogue/reader.h"

#include "catalogue/notes.h"
#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "platform/files.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <span>
#include <utility>

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

std::size_t headerCapacity(std::size_t k) {
    return k == 5 ? kNumberCapacity : kHeaderTextCapacity;
}

// The dictionary fields in line order, with their capacities: the reader fills them by name
// below, the notes walk them with this table.
constexpr std::array<Field, kDictionaryFields> kDictionaryFieldNames{
    Field::position, Field::shortName, Field::fileList, Field::displayName, Field::version};
constexpr std::array<std::size_t, kDictionaryFields> kDictionaryCapacities{
    kPositionCapacity, kShortNameCapacity, kFileListCapacity, kDisplayNameCapacity,
    kNumberCapacity};

// Where the reader stands, for its notes: they are taken only when someone asked for them.
struct Noter {
    ReadNotes& notes;
    std::size_t line;

    void add(ReadNote note) const {
        note.line = line;
        notes.notes.push_back(std::move(note));
    }
};

// The line on which the character at `at` stands, counted as the reader counts lines.
std::size_t lineAt(std::string_view text, std::size_t at) {
    const std::string_view before = text.substr(0, at);
    const bool atLineStart = before.empty() || before.back() == '\r' || before.back() == '\n';
    return countLines(before) + (atLineStart ? 1 : 0);
}

// A line's text as it stands in the file, without its line end.
std::string_view withoutLineEnd(std::string_view span) {
    if (!span.empty() && span.back() == '\n') span.remove_suffix(1);
    if (!span.empty() && span.back() == '\r') span.remove_suffix(1);
    return span;
}

void noteCut(const Noter& at, std::string_view piece, bool afterSeparator, std::size_t capacity,
             Field field, std::size_t index) {
    const std::string_view lost = cutOff(piece, afterSeparator, capacity);
    if (!lost.empty())
        at.add({.kind = NoteKind::fieldCut,
                .field = field,
                .index = index,
                .limit = capacity - 1,
                .text = std::string(lost)});
}

void noteFieldCut(const Noter& at, std::span<const std::string_view> pieces, std::size_t k,
                  std::size_t capacity, Field field, std::size_t index) {
    noteCut(at, pieces[k], k > 0, capacity, field, index);
}

void noteNumber(const Noter& at, std::string_view text, Field field, std::size_t index) {
    const NumberReading reading = readNumber(text);
    if (reading.end == 0)
        at.add({.kind = NoteKind::numberWithoutDigits,
                .field = field,
                .index = index,
                .text = std::string(text)});
    else if (reading.end < text.size())
        at.add({.kind = NoteKind::numberTrailingText,
                .field = field,
                .index = index,
                .text = std::string(text)});
}

// An empty name, and a timestamp that reads otherwise than it is written. An item with neither
// name nor timestamp is noted only for its name.
void noteFile(const Noter& at, std::size_t index, std::string_view name,
              std::string_view timestamp) {
    if (name.empty())
        at.add({.kind = NoteKind::emptyFileName, .field = Field::name, .index = index});
    const platform::CalendarTime time = parseTimestamp(timestamp);
    const bool valid = platform::systemTimeToFileTime(time).has_value();
    if ((valid && isExactTimestamp(timestamp)) || (name.empty() && timestamp.empty())) return;
    at.add({.kind = NoteKind::inexactTimestamp,
            .field = Field::timestamp,
            .index = index,
            .text = std::string(timestamp),
            .time = time,
            .validTime = valid});
}

// A line that does not qualify: empty, too long to be read, or with too few separators.
void notePassedOver(const Noter& at, std::string_view span, std::string_view line,
                    std::size_t found, std::size_t wanted) {
    const bool header = at.line == 1;
    const std::string_view written = withoutLineEnd(span);
    if (written.empty())
        at.add({.kind = header ? NoteKind::headerEmpty : NoteKind::lineEmpty});
    else if (line.empty())
        at.add({.kind = header ? NoteKind::headerTooLong : NoteKind::lineTooLong,
                .limit = kLineCapacity - 1,
                .length = written.size()});
    else
        at.add({.kind = header ? NoteKind::headerTooFewFields : NoteKind::lineTooFewFields,
                .limit = wanted - 1,
                .length = found - 1});
}

// How many of its first `fields` fields a line has. It qualifies when it has them all: it is
// not empty (a line too long to be read reads as empty) and has the separators they need
// (those after them are never looked at).
std::size_t fieldsFound(std::string_view line, std::size_t fields) {
    return line.empty() ? 0 : fieldsIn(line, '|', fields);
}

// Whether a line read after the header qualifies as a dictionary line.
bool isDictionaryLine(std::string_view line) {
    return fieldsFound(line, kDictionaryFields) == kDictionaryFields;
}

// Takes the next line, and gives it when it qualifies.
template <bool kNoted>
std::optional<std::string_view> takeLine(std::string_view text, LineReader& lines,
                                         std::size_t fields, ReadNotes* notes, std::size_t number) {
    const std::size_t start = lines.position();
    const std::string_view line = lines.next(kLineCapacity);
    const std::size_t found = fieldsFound(line, fields);
    if (found == fields) return line;
    if constexpr (kNoted)
        notePassedOver({*notes, number}, text.substr(start, lines.position() - start), line, found,
                       fields);
    return std::nullopt;
}

// Takes the next line and splits it into its first `pieces.size()` fields; false when it does
// not qualify.
template <bool kNoted>
bool takeFields(std::string_view text, LineReader& lines, std::span<std::string_view> pieces,
                ReadNotes* notes, std::size_t number) {
    const std::optional<std::string_view> line =
        takeLine<kNoted>(text, lines, pieces.size(), notes, number);
    if (line) splitInto(*line, '|', pieces);
    return line.has_value();
}

template <bool kNoted>
void readHeader(std::span<const std::string_view> pieces, CatalogueHeader& header,
                ReadNotes* notes) {
    for (std::size_t k = 0; k < kHeaderFields; ++k)
        header.fields[k] = fieldView(pieces, k, headerCapacity(k));
    header.number = parseNumber(header.fields[5]);
    if constexpr (!kNoted) return;
    const Noter at{*notes, 1};
    for (std::size_t k = 0; k < kHeaderFields; ++k)
        noteFieldCut(at, pieces, k, headerCapacity(k), Field::header, k);
    noteNumber(at, header.fields[5], Field::header, 5);
}

// What the limits cut off an item and its two halves, and how its name and time read.
void noteItem(const Noter& at, std::string_view piece, bool afterSeparator,
              std::span<const std::string_view> halves, std::size_t index) {
    noteCut(at, piece, afterSeparator, kItemCapacity, Field::item, index);
    noteFieldCut(at, halves, 0, kNameCapacity, Field::name, index);
    noteFieldCut(at, halves, 1, kTimestampCapacity, Field::timestamp, index);
    noteFile(at, index, fieldView(halves, 0, kNameCapacity),
             fieldView(halves, 1, kTimestampCapacity));
}

// One item of a file list: name "@" timestamp, read into `file`. The item is cut before it is
// split, so a long name can leave only part of its time.
template <bool kNoted>
void readFile(std::string_view piece, bool afterSeparator, DictionaryFile& file, ReadNotes* notes,
              std::size_t line, std::size_t index) {
    std::array<std::string_view, 2> halves{};
    splitInto(trimField(piece, afterSeparator, kItemCapacity), '@', halves);
    if constexpr (kNoted) noteItem({*notes, line}, piece, afterSeparator, halves, index);
    file.name = fieldView(halves, 0, kNameCapacity);
    file.modified = timestampToFileTime(fieldView(halves, 1, kTimestampCapacity));
}

// Every item of a file list becomes a file, so a list of n ";" gives n + 1 files, empty items
// included. The files already in the list are refilled in place, keeping their memory.
template <bool kNoted>
void readFiles(std::string_view fileList, std::vector<DictionaryFile>& files, ReadNotes* notes,
               std::size_t line) {
    std::size_t count = 0;
    std::size_t start = 0;
    for (;; ++count) {
        const std::size_t end = fileList.find(';', start);
        if (count == files.size()) files.emplace_back();
        readFile<kNoted>(fileList.substr(start, end - start), start > 0, files[count], notes, line,
                         count);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    files.resize(count + 1);
}

// What the limits cut off the fields of a dictionary line, and how its numbers read.
void noteEntry(const Noter& at, std::span<const std::string_view> pieces) {
    for (std::size_t k = 0; k < kDictionaryFields; ++k)
        noteFieldCut(at, pieces, k, kDictionaryCapacities[k], kDictionaryFieldNames[k], 0);
    noteNumber(at, fieldView(pieces, 0, kPositionCapacity), Field::position, 0);
    noteNumber(at, fieldView(pieces, 4, kNumberCapacity), Field::version, 0);
}

// The position of a dictionary line that qualifies: all a selection looks at.
int entryPosition(std::span<const std::string_view> pieces) {
    return parseNumber(fieldView(pieces, 0, kPositionCapacity));
}

template <bool kNoted>
void readEntry(std::span<const std::string_view> pieces, DictionaryEntry& entry, ReadNotes* notes,
               std::size_t line) {
    if constexpr (kNoted) noteEntry({*notes, line}, pieces);
    entry.position = entryPosition(pieces);
    entry.shortName = fieldView(pieces, 1, kShortNameCapacity);
    readFiles<kNoted>(fieldView(pieces, 2, kFileListCapacity), entry.files, notes, line);
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

// A NUL ends the text; what follows it is never read.
void noteUnreadAfterNul(std::string_view text, ReadNotes& notes) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos && nul + 1 < text.size())
        Noter{notes, lineAt(text, nul)}.add({.kind = NoteKind::unreadAfterNul});
}

// Where the text read stops short of the file: at the character limit (the one character more
// that was read to see it is dropped again), or at a Ctrl-Z. An empty file and one that starts
// with Ctrl-Z give no text at all.
void noteUnreadEnd(const std::string& path, std::string& text, ReadNotes& notes) {
    if (text.size() > kCatalogueCharacters) {
        text.resize(kCatalogueCharacters);
        Noter{notes, lineAt(text, text.size())}.add(
            {.kind = NoteKind::unreadAfterLimit, .limit = kCatalogueCharacters});
        return;
    }
    const std::optional<std::string> bytes = platform::readFileBytes(path);
    if (!bytes) return;
    const std::size_t ctrlZ = bytes->find(platform::kTextModeEnd);
    if (bytes->empty())
        Noter{notes, 1}.add({.kind = NoteKind::emptyFile});
    else if (ctrlZ == 0)
        Noter{notes, 1}.add({.kind = NoteKind::startsWithCtrlZ});
    else if (ctrlZ != std::string::npos && ctrlZ + 1 < bytes->size())
        Noter{notes, lineAt(text, text.size())}.add({.kind = NoteKind::unreadAfterCtrlZ});
}

// The text a parse reads: a NUL ends it.
std::string_view parsedText(std::string_view text) {
    return text.substr(0, std::min(text.size(), text.find('\0')));
}

// Reads line 1 into `header`; false when it does not qualify.
template <bool kNoted>
bool takeHeader(std::string_view text, LineReader& lines, CatalogueHeader& header,
                ReadNotes* notes) {
    std::array<std::string_view, kHeaderFields> pieces{};
    if (!takeFields<kNoted>(text, lines, pieces, notes, 1)) return false;
    readHeader<kNoted>(pieces, header, notes);
    return true;
}

// The parse, made twice: with notes, and without them at the cost it has always had.
template <bool kNoted>
bool parseLines(std::string_view text, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                ReadNotes* notes) {
    if constexpr (kNoted) noteUnreadAfterNul(text, *notes);
    text = parsedText(text);
    LineReader lines(text);
    if (!takeHeader<kNoted>(text, lines, header, notes)) {
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
        // Line 1 is the header, so slot n stands on line n + 2.
        if (takeFields<kNoted>(text, lines, pieces, notes, count + 2))
            readEntry<kNoted>(pieces, entry, notes, count + 2);
        else
            entry.files.clear();
    }
    entries.resize(count);
    return true;
}

// The slots after the header, as parseLines walks them: where each line stands.
void indexLines(LineReader& lines, std::vector<CatalogueLine>& index) {
    while (!lines.atEnd()) {
        const std::size_t start = lines.position();
        index.push_back({start, lines.next(kLineCapacity).size()});
    }
}

// A slot's line as the walk read it: without its line end, empty when too long to be read.
// Whether it qualifies is then the same question takeLine asks.
std::string_view slotText(const RememberedCatalogue& remembered, std::size_t slot) {
    const CatalogueLine& at = remembered.lines.at(slot);
    return std::string_view(remembered.text).substr(at.start, at.length);
}

} // namespace

bool parseCatalogue(std::string_view text, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                    ReadNotes* notes) {
    return notes ? parseLines<true>(text, header, catalogue, notes)
                 : parseLines<false>(text, header, catalogue, notes);
}

bool readCatalogue(const std::string& path, CatalogueHeader& header, DictionaryCatalogue& catalogue,
                   ReadNotes* notes) {
    try {
        // With notes, one character more than the limit shows whether the limit cuts the file.
        std::optional<std::string> text =
            platform::readTextFile(path, kCatalogueCharacters + (notes ? 1 : 0));
        if (!text) return false;
        if (notes) noteUnreadEnd(path, *text, *notes);
        return parseCatalogue(*text, header, catalogue, notes);
    } catch (const std::bad_alloc&) {
        // Out of memory while reading fails the read like any other fault after the open.
        catalogue.entries.clear();
        return false;
    }
}

bool rereadCatalogue(const std::string& path, CatalogueHeader& header,
                     RememberedCatalogue& remembered) {
    try {
        std::string& incoming = remembered.incoming;
        if (!platform::readTextFileInto(path, kCatalogueCharacters, incoming)) return false;
        if (remembered.current && incoming == remembered.text) {
            header = remembered.header;
            return true;
        }
        remembered.current = false;
        remembered.lines.clear();
        remembered.positions.clear();
        std::swap(remembered.text, incoming);
        const std::string_view parsed = parsedText(remembered.text);
        LineReader lines(parsed);
        if (!takeHeader<false>(parsed, lines, header, nullptr)) return false;
        indexLines(lines, remembered.lines);
        remembered.header = header;
        remembered.current = true;
        return true;
    } catch (const std::bad_alloc&) {
        remembered.current = false;
        remembered.lines.clear();
        remembered.positions.clear();
        return false;
    }
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

DictionaryEntry rememberedEntry(const RememberedCatalogue& remembered, std::size_t slot) {
    const std::string_view line = slotText(remembered, slot);
    DictionaryEntry entry;
    std::array<std::string_view, kDictionaryFields> pieces{};
    if (!isDictionaryLine(line)) return entry;
    splitInto(line, '|', pieces);
    readEntry<false>(pieces, entry, nullptr, 0);
    return entry;
}

} // namespace zet::catalogue
