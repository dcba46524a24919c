// The form in which a file time passes through the script, from the catalogue queries to the
// file-time export: a FILETIME as two hexadecimal numbers, high half first ("1cb1b53 20664580").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zet::catalogue {

struct FileTimeHalves {
    std::uint32_t high = 0;
    std::uint32_t low = 0;

    std::uint64_t value() const { return (std::uint64_t{high} << 32) | low; }
};

// Reads the text as sscanf with "%x %x" does, the same on every system: white space, an optional
// sign, an optional 0x, then hexadecimal digits. A number that cannot be read stays 0 and ends
// the reading; a negative number wraps, and a longer number keeps its lowest 32 bits.
FileTimeHalves parseFileTimeText(std::string_view text);

// A FILETIME as the script receives it: high and then low 32-bit half, lowercase, "%x %x".
std::string fileTimeText(std::uint64_t fileTime);

} // namespace zet::catalogue
