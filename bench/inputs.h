// Inputs for the benchmarks, made the same way on every run.
#pragma once

#include <cstddef>
#include <string>

namespace zetbench {

// A catalogue of `characters` characters at most: a header, then dictionary lines with three
// timed files each, positions counting up from 0.
std::string makeCatalogue(std::size_t characters, std::size_t& dictionaries);

// A mask that selects every position below `count`.
std::string selectAll(std::size_t count);

} // namespace zetbench

namespace zetbench {

// Group tables for `dictionaries` dictionaries d0, d1, ..., each listed in `groupsEach` groups
// of its own (g0, g1, ...): groups.ini, and grnames.ini with a name in every language.
std::string makeGroupsIni(std::size_t dictionaries, std::size_t groupsEach);
std::string makeGroupNamesIni(std::size_t groups);

// Dictionary configuration file number `file` of a list: `groups` group sections, each naming
// `members` dictionaries f<file>m0, f<file>m1, ... of which every second one is installed.
std::string makeDicCfg(std::size_t file, std::size_t groups, std::size_t members);

// instdics.dat for `files` such files: the installed members, and as many again not listed in
// any of them, which end in the catch-all group.
std::string makeInstalledDics(std::size_t files, std::size_t groups, std::size_t members);

} // namespace zetbench
