// How the two merges read the installation folder's files: their names, which name a groups.ini
// line gives, which lines of a dictionary's configuration file open a group section or list its
// members, where instdics.dat ends. The merges decide with these, and the media checker asks the
// same questions of the same lines.
#pragma once

#include "platform/textrules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zet::appconfig {

// The application's configuration file, the group tables and the installed list in the
// installation folder: plain texts, of which the DLL keeps no view objects.
inline constexpr char kCfgFile[] = "duvevo.cfg";
inline constexpr char kGroupsFile[] = "groups.ini";
inline constexpr char kGroupNamesFile[] = "grnames.ini";
inline constexpr char kInstalledFile[] = "instdics.dat";

// The section of the catch-all group, for installed dictionaries that no listed group took.
inline constexpr std::string_view kOtherDicsSection = ".other_dics";

// The extension of a dictionary's own configuration file, NAME.cfg.
inline constexpr std::string_view kCfgExtension = ".cfg";

// The key that lists a group's members: "Dics=a,b,c" in a group section of duvevo.cfg, one
// "Dics=name" line per member in the sections the installed-list merge appends, and "dics=" in
// any letter case in a dictionary's configuration file.
inline constexpr std::string_view kMembersKey = "Dics";

// The languages grnames.ini names groups in, two letters each: "fi", "sv", "en" and "de" (one
// text, which takes the least room in the DLL). It has no French section: a French display name
// comes only from a dictionary's own [LONG_NAMES].
inline constexpr std::string_view kGroupNameLanguages = "fisvende";
inline constexpr std::size_t kLanguageLength = 2;
inline constexpr std::size_t kGroupNameLanguageCount = kGroupNameLanguages.size() / kLanguageLength;

// Language `k` of kGroupNameLanguages.
constexpr std::string_view groupNameLanguage(std::size_t k) {
    return std::string_view(kGroupNameLanguages.data() + k * kLanguageLength, kLanguageLength);
}

// Names, keys and file names are compared ignoring the letter case of A to Z.
using platform::isSpace;
using platform::sameIgnoringCase;

// The file name of a dictionary's own configuration file.
[[nodiscard]] std::string dictionaryCfgFile(std::string_view name);

// A groups.ini line: the group before the first "=", untrimmed, and the member after it without
// its newline and then without one more white-space character, so that "g1=a \n" and "g1=a\r"
// (a lone CR) still name a, but "g1=a  \n" does not. Nullopt for a line without "=", which
// carries nothing.
struct GroupLine {
    std::string_view group;
    std::string_view member;
};
[[nodiscard]] std::optional<GroupLine> groupLine(std::string_view line);

// A line that opens a section: it starts with "[".
[[nodiscard]] constexpr bool opensSection(std::string_view line) {
    return line.starts_with('[');
}

// A line that opens the display-name section of a dictionary's own configuration file.
[[nodiscard]] bool opensLongNames(std::string_view line);

// What a line of a dictionary's configuration file is to the installed-list merge.
enum class SectionLine {
    ignored,     // empty, a ";" comment, a bare newline, or outside every group section
    groupHeader, // "[." and a group: opens its section
    otherHeader, // any other "[" line: closes the group section
    members,     // "dics=" in any letter case, in a group section
    text,        // any other line of a group section, copied as it stands
};

// Reads the lines of one file in order, since a line's kind depends on the header above it.
class GroupSectionWalk {
  public:
    [[nodiscard]] SectionLine next(std::string_view line);

  private:
    bool inGroup_ = false;
};

// Calls `visit` with each name of a member line after its "dics=": separated by ",", blanks and
// the newline; a tab belongs to the name.
template <typename Visit> void forEachMemberName(std::string_view membersLine, Visit&& visit) {
    constexpr std::string_view kSeparators = ", \n";
    const std::string_view members =
        membersLine.substr(std::min(membersLine.size(), kMembersKey.size() + 1));
    for (std::size_t start = 0;
         (start = members.find_first_not_of(kSeparators, start)) != std::string_view::npos;) {
        const std::size_t end = std::min(members.find_first_of(kSeparators, start), members.size());
        visit(members.substr(start, end - start));
        start = end;
    }
}

// instdics.dat as the merge searches it: the text ends at its first NUL, as a C string would.
void cutAtFirstNul(std::string& installed);

// An installed entry is "*" + name + newline. Only a whole entry counts: a name is matched with
// its newline, and an entry without one is never matched nor listed.
inline constexpr char kInstalledMark = '*';
// Where the first entry of `name` starts in `installed`; npos when there is none.
[[nodiscard]] std::size_t findInstalledEntry(std::string_view installed, std::string_view name);

// Calls `visit` with the name of each entry, with its newline, up to the first entry that has
// none.
template <typename Visit> void forEachInstalledName(std::string_view installed, Visit&& visit) {
    for (std::size_t mark = installed.find(kInstalledMark); mark != std::string_view::npos;) {
        const std::size_t newline = installed.find('\n', mark);
        if (newline == std::string_view::npos) break;
        visit(installed.substr(mark + 1, newline - mark));
        mark = installed.find(kInstalledMark, newline);
    }
}

// Where an entry without a newline starts (the last one), if there is one.
[[nodiscard]] std::optional<std::size_t> unendedEntry(std::string_view installed);

} // namespace zet::appconfig
