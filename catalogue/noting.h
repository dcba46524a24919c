// The notes of a catalogue read (catalogue/notes.h). The parse calls these where it cuts the
// text, passes over a line or splits one into its fields, with what it saw there as written;
// each works out what the read dropped or reads otherwise than it is written, and adds the
// notes. A read without notes calls none of them.
#pragma once

#include "catalogue/capacities.h"
#include "catalogue/notes.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zet::catalogue {

// Where the text read from `path` stops short of the file. `text` was read with one character
// more than kCatalogueCharacters, to show whether that limit cuts the file.
void noteUnreadEnd(ReadNotes& notes, const std::string& path, std::string_view text);

// Text after a NUL, which ends the text before the parse.
void noteUnreadAfterNul(ReadNotes& notes, std::string_view text);

// Line `line` does not qualify: `span` is the line as written with its line end, `read` the
// line as the walk gave it (empty when too long), with `found` of the `wanted` fields.
void notePassedOver(ReadNotes& notes, std::size_t line, std::string_view span,
                    std::string_view read, std::size_t found, std::size_t wanted);

// The fields of the header line, as split from it.
void noteHeader(ReadNotes& notes, std::span<const std::string_view> pieces);

// The fields of the dictionary line on `line`, as split from it; its files are noted one by one.
void noteEntry(ReadNotes& notes, std::size_t line, std::span<const std::string_view> pieces);

// Item `index` of the file list on `line`: `piece` as written, `item` as read from it.
void noteFile(ReadNotes& notes, std::size_t line, std::size_t index, std::string_view piece,
              bool afterSeparator, const FileItem& item);

} // namespace zet::catalogue
