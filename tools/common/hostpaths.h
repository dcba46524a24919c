// What both tools take from the system besides the plug-in: their arguments and the names of
// files, as the plug-in's own paths are written (UTF-8 in the Unicode builds, so that every
// character arrives; the system's bytes elsewhere).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zettools {

// The program's arguments after its name. In the Unicode builds they come from the wide
// command line, so that a name outside the ANSI code page is not lost on the way.
std::vector<std::string> arguments(int argc, char** argv);

// A path as std::filesystem takes it, and a name it gives back as such a path.
std::filesystem::path fsPath(const std::string& path);
std::string pathText(const std::filesystem::path& path);

} // namespace zettools
