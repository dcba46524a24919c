// The installed-list merge: group sections of dictionary configuration files, cut down to the
// dictionaries that instdics.dat lists as installed, appended to duvevo.cfg.
#pragma once

#include <string>
#include <string_view>

namespace zet::appconfig {

// Walks `list` (file names each followed by "/"), appending each file's group sections with
// its installed members, then gathers the installed dictionaries no group took in
// [.other_dics]. False when a listed file or duvevo.cfg cannot be opened (the walk stops
// there, without the catch-all group); true otherwise, also when nothing is installed.
bool mergeInstalledDics(std::string_view folder, std::string_view list);

// Appends the group sections of one file that have an installed member still free in
// `installed` (the text of instdics.dat), marking every entry taken ("*" becomes "+").
// False when the file or duvevo.cfg cannot be opened.
[[nodiscard]] bool copyDicSections(std::string_view folder, std::string_view fileName,
                                   std::string& installed);

} // namespace zet::appconfig
