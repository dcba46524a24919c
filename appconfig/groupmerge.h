// The group merge: one dictionary into the groups that list it in groups.ini.
#pragma once

#include <string_view>

namespace zet::appconfig {

// Adds the dictionary `name` to every group that groups.ini lists it in, with the groups'
// display names from grnames.ini. A dictionary no group lists becomes a group of its own,
// named from the [LONG_NAMES] section of its own configuration file, or else from grnames.ini.
// True when a group listed it or its file has a [LONG_NAMES] section.
bool mergeDicIntoGroups(std::string_view folder, std::string_view name);

} // namespace zet::appconfig
