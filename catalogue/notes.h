// What a catalogue read drops, passes over or reads otherwise than it is written. The reader
// has each noted (catalogue/noting.h) at the very place where it cuts a field or passes over a
// line, when it is given a ReadNotes; the plug-in gives none, and nothing is noted.
#pragma once

#include "platform/files.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zet::catalogue {

enum class NoteKind {
    emptyFile,           // nothing to read: the read fails
    startsWithCtrlZ,     // a Ctrl-Z ends the text before it begins: the read fails
    unreadAfterLimit,    // the file goes on past the characters read (limit)
    unreadAfterCtrlZ,    // a Ctrl-Z ends the text and more of the file follows it
    unreadAfterNul,      // a NUL ends the text and more of the text follows it
    headerEmpty,         // line 1 is empty: the read fails
    headerTooLong,       // line 1 is too long to read (length, limit): the read fails
    headerTooFewFields,  // line 1 has too few "|" (separators, of limit): the read fails
    lineEmpty,           // a dictionary line is empty: its slot stays empty
    lineTooLong,         // a dictionary line is too long to read (length, limit): passed over
    lineTooFewFields,    // a dictionary line has too few "|" (separators, of limit): passed over
    fieldCut,            // a field loses `text` to its limit of `limit` characters
    numberWithoutDigits, // a number field (`text`) has no digits: it reads as 0
    numberTrailingText,  // a number field (`text`) goes on after its digits
    emptyFileName,       // file `index` of the list has an empty name
    inexactTimestamp,    // the timestamp `text` of file `index` is not written exactly as
                         // YYYYMMDD-HHMMSS, or is no valid time: it reads as `time` when
                         // `validTime`, otherwise as time 0
};

// The field a note is about. A header field is `header` with its number in `index`; the
// item, name and timestamp of a file have the file's place in the list (from 0) in `index`.
enum class Field {
    header,
    position,
    shortName,
    fileList,
    displayName,
    version,
    item,
    name,
    timestamp
};

struct ReadNote {
    NoteKind kind = NoteKind::emptyFile;
    // Counted from 1, as the reader counts lines: CR LF, a lone LF and a lone CR each end one.
    std::size_t line = 0;
    Field field = Field::header;
    std::size_t index = 0;
    std::size_t limit = 0;  // in characters, or the "|" a line needs
    std::size_t length = 0; // the line's length, or the "|" it has
    std::string text{};     // what is lost, the number or the timestamp as written
    platform::CalendarTime time{};
    bool validTime = false;
};

struct ReadNotes {
    std::vector<ReadNote> notes;
};

} // namespace zet::catalogue
