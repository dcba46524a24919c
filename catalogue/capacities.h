// How much of a catalogue is read: the characters of the file, the length of a line, and the
// characters each field keeps. A capacity counts the terminator of the buffer the format was
// made for, so a field of capacity n keeps at most n - 1 characters. Each cut is made by the
// function here that names it, so that the parse and its notes cut alike.
#pragma once

#include "catalogue/text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zet::catalogue {

// Only this many characters of a catalogue are read; a line cut by the limit reads as cut.
inline constexpr std::size_t kCatalogueCharacters = 65536;
// A line of kLineCapacity characters or more reads as empty.
inline constexpr std::size_t kLineCapacity = 1000;

inline constexpr std::size_t kHeaderFields = 8;
// The header field that holds a number: it keeps only what a number field keeps.
inline constexpr std::size_t kHeaderNumberField = 5;
inline constexpr std::size_t kHeaderTextCapacity = 50;
inline constexpr std::size_t kNumberCapacity = 10;

// The fields of a dictionary line, in line order.
enum DictionaryField : std::size_t {
    kPositionField,
    kShortNameField,
    kFileListField,
    kDisplayNameField,
    kVersionField,
    kDictionaryFields
};
inline constexpr std::size_t kPositionCapacity = 20;
inline constexpr std::size_t kShortNameCapacity = 20;
inline constexpr std::size_t kFileListCapacity = 500;
inline constexpr std::size_t kDisplayNameCapacity = 100;
inline constexpr std::array<std::uint16_t, kDictionaryFields> kDictionaryCapacities{
    kPositionCapacity, kShortNameCapacity, kFileListCapacity, kDisplayNameCapacity,
    kNumberCapacity};

// An item of a file list is cut before it is split at "@" into a name and a timestamp, so a long
// name can leave only part of its time.
inline constexpr std::size_t kItemCapacity = 100;
inline constexpr std::size_t kNameCapacity = 100;
inline constexpr std::size_t kTimestampCapacity = 30;

// The next line of the walk, or the empty text when it is too long to be read.
inline std::string_view catalogueLine(LineReader& lines) {
    return lines.next(kLineCapacity);
}

// The capacity of header field k.
constexpr std::size_t headerCapacity(std::size_t k) {
    return k == kHeaderNumberField ? kNumberCapacity : kHeaderTextCapacity;
}

// Field k of a header line split into its pieces, as its capacity leaves it.
inline std::string_view headerField(std::span<const std::string_view> pieces, std::size_t k) {
    return fieldView(pieces, k, headerCapacity(k));
}

// Field k of a dictionary line split into its pieces, as its capacity leaves it.
inline std::string_view dictionaryField(std::span<const std::string_view> pieces,
                                        DictionaryField k) {
    return fieldView(pieces, k, kDictionaryCapacities[k]);
}

// One item of a file list (the piece between its ";"), cut and split: `halves` as the item
// splits at "@", `name` and `timestamp` as their capacities leave them.
struct FileItem {
    std::array<std::string_view, 2> halves{};
    std::string_view name;
    std::string_view timestamp;
};

// `piece` by the field rules of trimField (`afterSeparator` when a ";" comes before it).
inline FileItem fileItem(std::string_view piece, bool afterSeparator) {
    FileItem item;
    splitInto(trimField(piece, afterSeparator, kItemCapacity), '@', item.halves);
    item.name = fieldView(item.halves, 0, kNameCapacity);
    item.timestamp = fieldView(item.halves, 1, kTimestampCapacity);
    return item;
}

} // namespace zet::catalogue
