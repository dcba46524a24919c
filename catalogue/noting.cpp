#include "catalogue/noting.h"

#include "catalogue/reader.h"
#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "platform/files.h"
#include "platform/textrules.h"

#include <array>
#include <optional>
#include <utility>

namespace zet::catalogue {

namespace {

// The dictionary fields in line order, as the notes name them.
constexpr std::array<Field, kDictionaryFields> kDictionaryFieldNames{
    Field::position, Field::shortName, Field::fileList, Field::displayName, Field::version};

// The notes, and the line they are about.
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

// What the capacity cuts off field k of split pieces (field 0 keeps its leading blanks).
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
void noteNameAndTime(const Noter& at, std::size_t index, std::string_view name,
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

} // namespace

// The one character more than the limit is there only when the limit cuts the file. An empty
// file and one that starts with Ctrl-Z give no text at all.
void noteUnreadEnd(ReadNotes& notes, const std::string& path, std::string_view text) {
    if (text.size() > kCatalogueCharacters) {
        Noter{notes, lineAt(text, kCatalogueCharacters)}.add(
            {.kind = NoteKind::unreadAfterLimit, .limit = kCatalogueCharacters});
        return;
    }
    const std::optional<std::string> bytes = platform::readFileBytes(path);
    if (!bytes) return;
    const std::size_t ctrlZ = bytes->find(platform::kTextModeEnd);
    if (bytes->empty())
        Noter{notes, kHeaderLine}.add({.kind = NoteKind::emptyFile});
    else if (ctrlZ == 0)
        Noter{notes, kHeaderLine}.add({.kind = NoteKind::startsWithCtrlZ});
    else if (ctrlZ != std::string::npos && ctrlZ + 1 < bytes->size())
        Noter{notes, lineAt(text, text.size())}.add({.kind = NoteKind::unreadAfterCtrlZ});
}

void noteUnreadAfterNul(ReadNotes& notes, std::string_view text) {
    const std::size_t nul = platform::beforeFirstNul(text).size();
    if (nul + 1 < text.size())
        Noter{notes, lineAt(text, nul)}.add({.kind = NoteKind::unreadAfterNul});
}

void notePassedOver(ReadNotes& notes, std::size_t line, std::string_view span,
                    std::string_view read, std::size_t found, std::size_t wanted) {
    const Noter at{notes, line};
    const bool header = line == kHeaderLine;
    const std::string_view written = platform::withoutLineEnd(span);
    if (written.empty())
        at.add({.kind = header ? NoteKind::headerEmpty : NoteKind::lineEmpty});
    else if (read.empty())
        at.add({.kind = header ? NoteKind::headerTooLong : NoteKind::lineTooLong,
                .limit = kLineCapacity - 1,
                .length = written.size()});
    else
        at.add({.kind = header ? NoteKind::headerTooFewFields : NoteKind::lineTooFewFields,
                .limit = wanted - 1,
                .length = found - 1});
}

void noteHeader(ReadNotes& notes, std::span<const std::string_view> pieces) {
    const Noter at{notes, kHeaderLine};
    for (std::size_t k = 0; k < kHeaderFields; ++k)
        noteFieldCut(at, pieces, k, headerCapacity(k), Field::header, k);
    noteNumber(at, headerField(pieces, kHeaderNumberField), Field::header, kHeaderNumberField);
}

void noteEntry(ReadNotes& notes, std::size_t line, std::span<const std::string_view> pieces) {
    const Noter at{notes, line};
    for (std::size_t k = 0; k < kDictionaryFields; ++k)
        noteFieldCut(at, pieces, k, kDictionaryCapacities[k], kDictionaryFieldNames[k], 0);
    noteNumber(at, dictionaryField(pieces, kPositionField), Field::position, 0);
    noteNumber(at, dictionaryField(pieces, kVersionField), Field::version, 0);
}

void noteFile(ReadNotes& notes, std::size_t line, std::size_t index, std::string_view piece,
              bool afterSeparator, const FileItem& item) {
    const Noter at{notes, line};
    noteCut(at, piece, afterSeparator, kItemCapacity, Field::item, index);
    noteFieldCut(at, item.halves, 0, kNameCapacity, Field::name, index);
    noteFieldCut(at, item.halves, 1, kTimestampCapacity, Field::timestamp, index);
    noteNameAndTime(at, index, item.name, item.timestamp);
}

} // namespace zet::catalogue
