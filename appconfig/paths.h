// Files of the installation folder, and the lines of a text file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zet::appconfig {

// The folder, a separator only when the folder does not already end in one, and the name.
// Nullopt when the path would be longer than the system can open.
std::optional<std::string> pathInFolder(std::string_view folder, std::string_view name);

// duvevo.cfg and grnames.ini in the folder: the folder, a separator always (even after one),
// and the name. Nullopt when too long.
std::optional<std::string> cfgPath(std::string_view folder);
std::optional<std::string> groupNamesPath(std::string_view folder);

// A file read in text mode; nullopt when it cannot be opened (or the path is missing).
std::optional<std::string> readText(const std::optional<std::string>& path);

// A file read as readText does, for its lines (see takeLine): a line's text ends at a NUL byte,
// as a C string would, but its newline stays so that lines never run together.
std::optional<std::string> readLines(const std::optional<std::string>& path);

// The next line of a text that is not empty, taken off it: with its newline, which the last line
// may lack.
std::string_view takeLine(std::string_view& text);

// The lines of a text as readLines and takeLine make them.
std::vector<std::string> textLines(std::string_view text);

} // namespace zet::appconfig
