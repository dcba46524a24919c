// Catalogue timestamps (20100704-083015, UTC) and the FILETIME each stands for.
#pragma once

#include "platform/files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zet::catalogue {

// The six values of a timestamp read as scanf reads "%4d%2d%2d-%2d%2d%2d": reading stops at
// the first conversion or literal that fails, and the values not read keep their defaults
// (2000-01-01 01:01:01).
platform::CalendarTime parseTimestamp(std::string_view text);

// Whether a timestamp is written exactly in the form 20100704-083015: eight digits, "-", six
// digits and nothing else.
bool isExactTimestamp(std::string_view text);

// The FILETIME of a timestamp taken as UTC. A timestamp that is no valid calendar time (a month
// 0, 30 February, a year before 1601) gives 0, so that its time text reads "0 0".
std::uint64_t timestampToFileTime(std::string_view text);

} // namespace zet::catalogue
