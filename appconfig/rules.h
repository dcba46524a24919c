// How the two merges read the lines of the installation folder's files: which name a groups.ini
// line gives, which lines open a section, which list members. The merges decide with these, and
// the media checker asks the same questions of the same lines.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace zet::appconfig {

// The group tables and the installed list in the installation folder.
inline constexpr std::string_view kGroupsFile = "groups.ini";
inline constexpr std::string_view kGroupNamesFile = "grnames.ini";
inline constexpr std::string_view kInstalledFile = "instdics.dat";

// The languages grnames.ini names groups in. It has no French section: a French display name
// comes only from a dictionary's own [LONG_NAMES].
inline constexpr std::array<std::string_view, 4> kGroupNameLanguages{"fi", "sv", "en", "de"};

bool sameIgnoringCase(std::string_view a, std::string_view b);

// The line without its newline and then without one more white-space character, so that
// "g1=a \n" and "g1=a\r" (a lone CR) still name a, but "g1=a  \n" does not.
std::string_view trimLineEnd(std::string_view line);

// A groups.ini line: the group before the first "=", untrimmed, and the member after it as
// trimLineEnd leaves it. Nullopt for a line without "=", which carries nothing.
struct GroupLine {
    std::string_view group;
    std::string_view member;
};
std::optional<GroupLine> groupLine(std::string_view line);

// A line that opens the display-name section of a dictionary's own configuration file.
bool opensLongNames(std::string_view line);

// A member line of a group section, "dics=" in any letter case.
bool startsWithDics(std::string_view line);

// The names of a member line after its "dics=": separated by ",", blanks and the newline; a
// tab belongs to the name.
std::vector<std::string_view> memberNames(std::string_view members);

} // namespace zet::appconfig
