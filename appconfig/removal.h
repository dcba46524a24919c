// The way back out of duvevo.cfg: dictionaries and group sections taken out again, for an
// uninstaller, and for an installer that runs again and must not enter anything twice.
#pragma once

#include <string_view>

namespace zet::appconfig {

// Takes the dictionary `name` out of the members of every group section of duvevo.cfg, from a
// "Dics=a,b" list and from repeated "Dics=a" lines alike; a group section this leaves without
// members goes whole, with its display names. Members compare as the merges write them (the
// name as given), section names and keys ignoring letter case, as the profile calls find them.
// Nothing else changes. False when duvevo.cfg could not be written.
bool removeDicFromGroups(std::string_view folder, std::string_view name);

// Takes out every copy of the group sections that the files of `list` hold (file names each
// followed by "/", as the installed-list merge reads them) and of the catch-all group, whatever
// members they have. False when a listed file cannot be read (then nothing is taken out) or
// duvevo.cfg could not be written.
bool removeListedGroups(std::string_view folder, std::string_view list);

} // namespace zet::appconfig
