#include "appconfig/groupmerge.h"

#include "appconfig/cfgkeys.h"
#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/textrules.h"

#include <string>

namespace zet::appconfig {

namespace {

// Copies the group's display names from grnames.ini into the section "." + group (an empty
// value where grnames.ini has none), then adds `name` to its members.
void copyGroupNames(std::string_view folder, const std::string& cfg, std::string_view group,
                    std::string_view name) {
    const auto names = groupNamesPath(folder);
    for (std::size_t k = 0; k < kGroupNameLanguageCount; ++k) {
        const std::string_view code = groupNameLanguage(k);
        const std::string text = names ? platform::readIniString(*names, code, group) : "";
        writeCfgKey(cfg, group, code, text);
    }
    appendToDics(cfg, group, name);
}

// Adds the dictionary to every group whose groups.ini line names it; true when any did.
bool mergeIntoListedGroups(std::string_view folder, const std::string& cfg, std::string_view name) {
    const auto text = readLines(pathInFolder(folder, kGroupsFile));
    if (!text) return false;
    bool matched = false;
    // groups.ini is read as whole lines, not through the INI layer: a group lists every member
    // on a line of its own under the group's name as key ("g1=a", "g1=b"), and a key lookup
    // would find only the first of them.
    for (std::string_view rest = *text; !rest.empty();) {
        const auto entry = groupLine(takeLine(rest));
        if (!entry || !sameIgnoringCase(entry->member, name)) continue;
        copyGroupNames(folder, cfg, entry->group, name);
        matched = true;
    }
    return matched;
}

// The [LONG_NAMES] keys a display name is copied from, four characters each: the language's key
// in duvevo.cfg, then "TE".
constexpr std::string_view kLongNamePrefixes = "fiTEsvTEenTEfrTEdeTE";
constexpr std::size_t kLongNamePrefix = 4;

// The display name of a [LONG_NAMES] line: from the sixth character on (the fifth, normally
// "=", is skipped whatever it is), without the line end.
std::string_view longNameText(std::string_view line) {
    line = platform::withoutLineEnd(line);
    return line.size() > 5 ? line.substr(5) : std::string_view();
}

// Writes the display names of the [LONG_NAMES] sections of the dictionary's own file into
// the section "." + name; true when the file can be read and has such a section.
bool copyLongNames(std::string_view folder, const std::string& cfg, std::string_view name) {
    const auto fileName = platform::fileNameFromText(name);
    if (!fileName) return false;
    const auto text = readLines(pathInFolder(folder, dictionaryCfgFile(*fileName)));
    if (!text) return false;
    bool inSection = false;
    bool found = false;
    for (std::string_view rest = *text; !rest.empty();) {
        const std::string_view line = takeLine(rest);
        if (opensLongNames(line)) {
            inSection = found = true;
        } else if (opensSection(line)) {
            inSection = false;
        } else if (inSection) {
            for (std::size_t at = 0; at < kLongNamePrefixes.size(); at += kLongNamePrefix) {
                const char* const prefix = kLongNamePrefixes.data() + at;
                if (line.starts_with(std::string_view(prefix, kLongNamePrefix)))
                    writeCfgKey(cfg, name, std::string_view(prefix, kLanguageLength),
                                longNameText(line));
            }
        }
    }
    return found;
}

} // namespace

bool mergeDicIntoGroups(std::string_view folder, std::string_view name) {
    const std::string cfg = cfgPath(folder).value_or(std::string());
    if (mergeIntoListedGroups(folder, cfg, name)) return true;
    if (copyLongNames(folder, cfg, name)) {
        appendToDics(cfg, name, name);
        return true;
    }
    copyGroupNames(folder, cfg, name, name);
    return false;
}

} // namespace zet::appconfig
