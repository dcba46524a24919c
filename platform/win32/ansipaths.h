// How the ANSI calls read a path in a code page: a double-byte character is one character, and
// its second byte, which may be 0x5C under code pages 932, 936, 949 and 950, is no backslash.
// The code page is a parameter, so that every Windows build can test the ANSI build's rule.
#pragma once

#include <cstddef>
#include <string_view>

namespace zet::platform::win32 {

// Whether the last character of `path` is a backslash of its own.
bool ansiEndsInSeparator(std::string_view path, unsigned codePage);

// The characters of `path` as the system counts a path's length (its UTF-16 units).
std::size_t ansiPathLength(std::string_view path, unsigned codePage);

} // namespace zet::platform::win32
