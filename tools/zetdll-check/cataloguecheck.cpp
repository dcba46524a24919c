#include "tools/zetdll-check/cataloguecheck.h"

#include "catalogue/notes.h"
#include "catalogue/queries.h"
#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "tools/zetdll-check/filecheck.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace zetcheck {

namespace {

using zet::catalogue::Field;
using zet::catalogue::NoteKind;
using zet::catalogue::ReadNote;

std::string number(std::size_t n) {
    return std::to_string(n);
}

std::string fieldName(const ReadNote& note) {
    const std::string file = "file " + number(note.index + 1) + " of the list";
    switch (note.field) {
    case Field::header:
        return "header field " + number(note.index);
    case Field::position:
        return "the position";
    case Field::shortName:
        return "the short name";
    case Field::fileList:
        return "the file list";
    case Field::displayName:
        return "the display name";
    case Field::version:
        return "the version";
    case Field::item:
        return file;
    case Field::name:
        return "the name of " + file;
    case Field::timestamp:
        return "the timestamp of " + file;
    }
    return {};
}

std::string calendarText(const zet::platform::CalendarTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string timestampMessage(const ReadNote& note) {
    const std::string timeZero = "the file gets time 0 and keeps the time it has";
    const std::string what = fieldName(note) + ", " + inQuotes(note.text) + ",";
    if (zet::catalogue::isExactTimestamp(note.text))
        return what + " is no valid calendar time: " + timeZero;
    const std::string read =
        note.text.empty() ? "file " + number(note.index + 1) + " of the list has no timestamp"
                          : what + " is not written as YYYYMMDD-HHMMSS";
    if (note.validTime) return read + ": it reads as " + calendarText(note.time) + " UTC";
    return read + ": it reads as " + calendarText(note.time) + ", which is no valid time, so " +
           timeZero;
}

struct Described {
    const char* code;
    std::string message;
    bool warning = false;
};

Described describe(const ReadNote& note) {
    const std::string unreadable = ": the catalogue cannot be read";
    switch (note.kind) {
    case NoteKind::emptyFile:
        return {"empty-file", "the file is empty" + unreadable};
    case NoteKind::startsWithCtrlZ:
        return {"ctrl-z-at-start", "the file starts with Ctrl-Z, which ends the text" + unreadable};
    case NoteKind::unreadAfterLimit:
        return {"unread-after-limit", "only the first " + number(note.limit) +
                                          " characters are read: the rest of the file from here "
                                          "on is never read"};
    case NoteKind::unreadAfterCtrlZ:
        return {"unread-after-ctrl-z",
                "a Ctrl-Z ends the text here: what follows it is never read"};
    case NoteKind::unreadAfterNul:
        return {"unread-after-nul", "a NUL ends the text here: what follows it is never read"};
    case NoteKind::headerEmpty:
        return {"header-empty", "the header line is empty" + unreadable};
    case NoteKind::headerTooLong:
        return {"header-too-long", "the header line has " + number(note.length) +
                                       " characters, more than the " + number(note.limit) +
                                       " a line may have" + unreadable};
    case NoteKind::headerTooFewFields:
        return {"header-too-few-fields", "the header line has " + number(note.length) +
                                             " \"|\" of the " + number(note.limit) + " it needs" +
                                             unreadable};
    case NoteKind::lineEmpty:
        return {"empty-line", "empty line: an empty slot, no dictionary", true};
    case NoteKind::lineTooLong:
        return {"line-too-long", "the line has " + number(note.length) +
                                     " characters, more than the " + number(note.limit) +
                                     " a line may have: the dictionary is passed over"};
    case NoteKind::lineTooFewFields:
        return {"line-too-few-fields", "the line has " + number(note.length) + " \"|\" of the " +
                                           number(note.limit) +
                                           " a dictionary needs: it is passed over"};
    case NoteKind::fieldCut:
        return {"field-cut", fieldName(note) + " is cut at " + number(note.limit) +
                                 " characters: " + inQuotes(note.text) + " is lost"};
    case NoteKind::numberWithoutDigits:
        return {"number-without-digits",
                fieldName(note) + " " + inQuotes(note.text) + " has no digits: it reads as 0"};
    case NoteKind::numberTrailingText:
        return {"number-trailing-text", fieldName(note) + " " + inQuotes(note.text) +
                                            " has text after its digits: it reads as " +
                                            std::to_string(zet::catalogue::parseNumber(note.text))};
    case NoteKind::emptyFileName:
        return {"empty-file-name",
                "file " + number(note.index + 1) +
                    " of the list has an empty name (an empty list, or a \";\" too many)",
                true};
    case NoteKind::inexactTimestamp:
        return {note.validTime ? "timestamp-inexact" : "timestamp-invalid", timestampMessage(note)};
    }
    return {"unknown", "unknown note"};
}

bool failedForNothingRead(const std::vector<ReadNote>& notes) {
    return std::any_of(notes.begin(), notes.end(), [](const ReadNote& n) {
        return n.kind == NoteKind::emptyFile || n.kind == NoteKind::startsWithCtrlZ;
    });
}

void addNotes(const std::string& path, const std::vector<ReadNote>& notes, Findings& findings) {
    // An empty file also has an empty header line; one finding says it.
    const bool nothingRead = failedForNothingRead(notes);
    for (const ReadNote& note : notes) {
        if (nothingRead && note.kind == NoteKind::headerEmpty) continue;
        const Described d = describe(note);
        findings.add(path, note.line, d.warning ? Severity::warning : Severity::error, d.code,
                     d.message);
    }
}

bool filled(const zet::catalogue::DictionaryEntry& entry) {
    return !entry.files.empty();
}

// Two dictionaries at one position, and positions the mask has no character for.
void checkPositions(const std::string& path, const zet::catalogue::DictionaryCatalogue& catalogue,
                    const std::optional<std::string>& mask, Findings& findings) {
    std::map<int, std::size_t> firstLine;
    for (std::size_t i = 0; i < catalogue.entries.size(); ++i) {
        const auto& entry = catalogue.entries[i];
        if (!filled(entry)) continue;
        const auto [seen, fresh] = firstLine.emplace(entry.position, zet::catalogue::slotLine(i));
        if (!fresh)
            findings.add(path, zet::catalogue::slotLine(i), Severity::warning, "duplicate-position",
                         "position " + std::to_string(entry.position) +
                             " is also the position of the dictionary on line " +
                             number(seen->second) + ": one mask character selects both");
        const bool beyond = entry.position < 0 ||
                            static_cast<std::size_t>(entry.position) >= (mask ? mask->size() : 0);
        if (mask && beyond)
            findings.add(path, zet::catalogue::slotLine(i), Severity::warning,
                         "position-beyond-mask",
                         "position " + std::to_string(entry.position) + " is beyond the mask of " +
                             number(mask->size()) + " characters: never selected");
    }
}

} // namespace

CatalogueCheck checkCatalogue(const std::string& path, const std::optional<std::string>& mask,
                              Findings& findings) {
    findings.file(path);
    CatalogueCheck check;
    check.mask = mask;
    zet::catalogue::CatalogueHeader header;
    zet::catalogue::ReadNotes notes;
    check.read = zet::catalogue::readCatalogue(path, header, check.catalogue, &notes);
    addNotes(path, notes.notes, findings);
    checkPositions(path, check.catalogue, mask, findings);
    for (const auto& entry : check.catalogue.entries) {
        if (!filled(entry)) continue;
        ++check.dictionaries;
        if (mask && zet::catalogue::isSelected(entry.position, *mask)) ++check.selected;
    }
    checkFileNames(path, check, findings);
    return check;
}

} // namespace zetcheck
