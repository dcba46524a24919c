// The two forms of the configuration export's argument.
#pragma once

#include <string_view>

namespace zet::appconfig {

// Whether the configuration export's argument is a list of dictionary configuration files
// (it starts with "/"), whose file names are paths; otherwise it is a dictionary name.
[[nodiscard]] bool isInstallList(std::string_view argument);

// A "/"-led argument is a list of dictionary configuration files for the installed-list
// merge; anything else a dictionary name for the group merge. Returns the merge's result;
// false without touching anything when the folder is empty, since a path built from it would
// point at the root of the drive.
bool dispatchCfgUpdate(std::string_view folder, std::string_view argument);

// The way back: a "/"-led list takes out the group sections of the listed files and the
// catch-all group, anything else the dictionary of that name from every group. True when
// nothing of it is left in duvevo.cfg; false when duvevo.cfg could not be written, a listed file
// cannot be read, or the folder is empty.
bool dispatchCfgRemoval(std::string_view folder, std::string_view argument);

} // namespace zet::appconfig
