#include "appconfig/groupmerge.h"

#include "appconfig/cfgkeys.h"
#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/ini.h"

#include <array>
#include <cctype>
#include <string>

namespace zet::appconfig {

namespace {

// The section of a dictionary's configuration file that holds its display names.
constexpr std::string_view kLongNamesSection = "[LONG_NAMES]";

// Copies the group's display names from grnames.ini into the section "." + group (an empty
// value where grnames.ini has none), then adds `name` to its members.
void copyGroupNames(std::string_view folder, std::string_view group, std::string_view name) {
    const auto names = pathAfterSeparator(folder, kGroupNamesFile);
    for (const std::string_view code : kGroupNameLanguages) {
        const std::string text = names ? platform::readIniString(*names, code, group) : "";
        writeCfgKey(folder, group, code, text);
    }
    appendToDics(folder, group, name);
}

// Adds the dictionary to every group whose groups.ini line names it; true when any did.
bool mergeIntoListedGroups(std::string_view folder, std::string_view name) {
    const auto text = readText(pathInFolder(folder, kGroupsFile));
    if (!text) return false;
    bool matched = false;
    // groups.ini is read as whole lines, not through the INI layer: a group lists every member
    // on a line of its own under the group's name as key ("g1=a", "g1=b"), and a key lookup
    // would find only the first of them.
    for (const std::string& line : textLines(*text)) {
        const auto entry = groupLine(line);
        if (!entry || !sameIgnoringCase(entry->member, name)) continue;
        copyGroupNames(folder, entry->group, name);
        matched = true;
    }
    return matched;
}

struct LongNamePrefix {
    std::string_view prefix;
    std::string_view key;
};

constexpr std::array<LongNamePrefix, 5> kLongNamePrefixes{{
    {"fiTE", "fi"},
    {"svTE", "sv"},
    {"enTE", "en"},
    {"frTE", "fr"},
    {"deTE", "de"},
}};

// The display name of a [LONG_NAMES] line: from the sixth character on (the fifth, normally
// "=", is skipped whatever it is), without the line end.
std::string_view longNameText(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line.size() > 5 ? line.substr(5) : std::string_view();
}

// Writes the display names of the [LONG_NAMES] sections of the dictionary's own file into
// the section "." + name; true when the file has such a section. Nullopt when it cannot be read.
std::optional<bool> copyLongNames(std::string_view folder, std::string_view name) {
    const auto fileName = platform::fileNameFromText(name);
    if (!fileName) return std::nullopt;
    const auto text = readText(pathInFolder(folder, *fileName + ".cfg"));
    if (!text) return std::nullopt;
    bool inSection = false;
    bool found = false;
    for (const std::string& line : textLines(*text)) {
        if (opensLongNames(line)) {
            inSection = found = true;
        } else if (line.starts_with('[')) {
            inSection = false;
        } else if (inSection) {
            for (const LongNamePrefix& entry : kLongNamePrefixes)
                if (line.starts_with(entry.prefix))
                    writeCfgKey(folder, name, entry.key, longNameText(line));
        }
    }
    return found;
}

} // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

std::string_view trimLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.remove_suffix(1);
    return line;
}

std::optional<GroupLine> groupLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return GroupLine{line.substr(0, equals), trimLineEnd(line.substr(equals + 1))};
}

bool opensLongNames(std::string_view line) {
    return line.starts_with(kLongNamesSection);
}

int mergeDicIntoGroups(std::string_view folder, std::string_view name) {
    if (mergeIntoListedGroups(folder, name)) return 1;
    if (copyLongNames(folder, name).value_or(false)) {
        appendToDics(folder, name, name);
        return 1;
    }
    copyGroupNames(folder, name, name);
    return 0;
}

} // namespace zet::appconfig
