#include "tools/zetdll-check/mediacheck.h"

#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "tools/common/hostpaths.h"
#include "tools/zetdll-check/filecheck.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

namespace zetcheck {

namespace {

using zet::appconfig::kCfgExtension;
using zet::appconfig::sameIgnoringCase;
using zet::appconfig::SectionLine;
using zet::appconfig::textLines;

struct Media {
    const std::string& folder;
    const std::string& cataloguePath;
    const CatalogueCheck& catalogue;
    Findings& findings;

    std::string path(std::string_view name) const {
        return zet::appconfig::pathInFolder(folder, name)
            .value_or(folder + "/" + std::string(name));
    }
};

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// A group name as it stands in the section name the merge writes, "." and the group: the INI
// layer trims that name, so only the blanks at the group's end go.
std::string_view trimmed(std::string_view name) {
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    return name;
}

std::string shown(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    return inQuotes(line);
}

template <class Same> bool inCatalogue(const Media& media, std::string_view name, Same same) {
    const auto& entries = media.catalogue.catalogue.entries;
    return std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
        return !entry.files.empty() && same(entry.shortName, name);
    });
}

bool sameExactly(std::string_view a, std::string_view b) {
    return a == b;
}

// The languages of grnames.ini without a display name for `key`.
std::string missingNames(const Media& media, std::string_view key, std::size_t& found) {
    const auto names = zet::appconfig::groupNamesPath(media.folder);
    std::string missing;
    found = 0;
    for (std::size_t k = 0; k < zet::appconfig::kGroupNameLanguageCount; ++k) {
        const std::string_view code = zet::appconfig::groupNameLanguage(k);
        if (names && !zet::platform::readIniString(*names, code, key).empty()) {
            ++found;
            continue;
        }
        missing += std::string(missing.empty() ? "" : ", ") + "[" + std::string(code) + "]";
    }
    return missing;
}

// Why a groups.ini line can never match, or nothing. A blank before "=" does no harm: the
// INI layer trims the section name it becomes.
std::string unmatchable(const zet::appconfig::GroupLine& entry) {
    if (!entry.member.empty() && isBlank(entry.member.front())) return "a blank after \"=\"";
    if (!entry.member.empty() && isBlank(entry.member.back()))
        return "more than one blank at its end";
    return {};
}

// groups.ini: every line that names a dictionary; the groups of those that can match, with the
// line each is first named on. Also notes which catalogue dictionaries some line matches.
std::map<std::string, std::size_t, std::less<>> checkGroups(const Media& media,
                                                            std::vector<bool>& listed) {
    std::map<std::string, std::size_t, std::less<>> groups;
    const std::string path = media.path(zet::appconfig::kGroupsFile);
    const auto text = zet::platform::readTextFile(path);
    if (!text) return groups;
    media.findings.file(path);
    const auto lines = textLines(*text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto entry = zet::appconfig::groupLine(lines[i]);
        if (!entry) continue;
        const auto& entries = media.catalogue.catalogue.entries;
        for (std::size_t e = 0; e < entries.size(); ++e)
            if (sameIgnoringCase(entry->member, entries[e].shortName)) listed[e] = true;
        const std::string why = unmatchable(*entry);
        // The merge reads a ";" line like any other: with "=" and a dictionary of the
        // catalogue after it, it makes a group of what comes before.
        if (lines[i].starts_with(';')) {
            if (why.empty() && inCatalogue(media, entry->member, sameIgnoringCase))
                media.findings.add(path, i + 1, Severity::error, "groups-comment-read",
                                   shown(lines[i]) + " is no comment to the plug-in: it puts " +
                                       inQuotes(entry->member) + " into a group " +
                                       inQuotes(trimmed(entry->group)) +
                                       " too, with no display names");
            continue;
        }
        if (!why.empty()) {
            media.findings.add(path, i + 1, Severity::error, "groups-line-unmatchable",
                               shown(lines[i]) + " never matches a dictionary name: " + why);
        } else if (!inCatalogue(media, entry->member, sameIgnoringCase)) {
            media.findings.add(path, i + 1, Severity::warning, "unknown-member",
                               inQuotes(entry->member) + " is no dictionary of the catalogue");
        } else {
            groups.emplace(std::string(trimmed(entry->group)), i + 1);
        }
    }
    return groups;
}

void checkGroupNames(const Media& media,
                     const std::map<std::string, std::size_t, std::less<>>& groups) {
    const std::string path = media.path(zet::appconfig::kGroupsFile);
    for (const auto& [group, line] : groups) {
        std::size_t found = 0;
        const std::string missing = missingNames(media, group, found);
        if (!missing.empty())
            media.findings.add(path, line, Severity::warning, "group-without-name",
                               "group " + inQuotes(group) + " has no display name in " + missing +
                                   " of grnames.ini");
    }
}

bool hasLongNames(const Media& media, const std::string& name) {
    const auto text =
        zet::platform::readTextFile(media.path(zet::appconfig::dictionaryCfgFile(name)));
    if (!text) return false;
    const auto lines = textLines(*text);
    return std::any_of(lines.begin(), lines.end(), zet::appconfig::opensLongNames);
}

// A dictionary no group lists becomes a group of its own, named from its [LONG_NAMES] or from
// grnames.ini under its own name.
void checkOwnGroups(const Media& media, const std::vector<bool>& listed) {
    const auto& entries = media.catalogue.catalogue.entries;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (entries[e].files.empty() || listed[e] || hasLongNames(media, entries[e].shortName))
            continue;
        std::size_t found = 0;
        const std::string missing = missingNames(media, entries[e].shortName, found);
        const std::string name = inQuotes(entries[e].shortName);
        if (found == 0)
            media.findings.add(media.cataloguePath, zet::catalogue::slotLine(e), Severity::warning,
                               "dictionary-without-names",
                               name + " is in no group of groups.ini, and has neither a "
                                      "[LONG_NAMES] section of its own nor names in grnames.ini");
        else if (!missing.empty())
            media.findings.add(media.cataloguePath, zet::catalogue::slotLine(e), Severity::warning,
                               "group-without-name",
                               "the group of its own of " + name + " has no display name in " +
                                   missing + " of grnames.ini");
    }
}

// A group-section line that looks like a member line but is not one: "dics =", " dics=".
bool looksLikeMembers(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    std::string_view rest = line.substr(start);
    constexpr std::string_view kKey = zet::appconfig::kMembersKey;
    if (rest.size() < kKey.size() || !sameIgnoringCase(rest.substr(0, kKey.size()), kKey))
        return false;
    rest.remove_prefix(kKey.size());
    const std::size_t equals = rest.find_first_not_of(" \t");
    return equals != std::string_view::npos && rest[equals] == '=';
}

void checkMembers(const Media& media, const std::string& path, std::size_t line,
                  std::string_view membersLine) {
    zet::appconfig::forEachMemberName(membersLine, [&](std::string_view name) {
        const std::string shownName = inQuotes(name);
        if (std::any_of(name.begin(), name.end(), isBlank))
            media.findings.add(path, line, Severity::error, "dics-line-unmatchable",
                               "member " + shownName +
                                   " holds white space that separates nothing (a tab, a CR): it "
                                   "never matches an installed dictionary");
        else if (!inCatalogue(media, name, sameExactly))
            media.findings.add(path, line, Severity::warning, "unknown-member",
                               shownName + " is no dictionary of the catalogue");
    });
}

// The group sections of one dictionary configuration file, as the installed-list merge reads
// them.
void checkCfgFile(const Media& media, const std::string& path) {
    const auto text = zet::platform::readTextFile(path);
    if (!text) return;
    media.findings.file(path);
    const auto lines = textLines(*text);
    std::size_t groupLine = 0; // the header of the group section being read, 0 outside one
    bool members = false;
    zet::appconfig::GroupSectionWalk walk;
    const auto closeGroup = [&] {
        if (groupLine && !members)
            media.findings.add(path, groupLine, Severity::warning, "group-without-dics",
                               "group section " + shown(lines[groupLine - 1]) +
                                   " has no \"dics=\" line: it is never written");
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const SectionLine kind = walk.next(line);
        if (kind == SectionLine::groupHeader || kind == SectionLine::otherHeader) {
            closeGroup();
            groupLine = kind == SectionLine::groupHeader ? i + 1 : 0;
            members = false;
        } else if (kind == SectionLine::members) {
            members = true;
            checkMembers(media, path, i + 1, line);
        } else if (kind == SectionLine::text && looksLikeMembers(line)) {
            media.findings.add(path, i + 1, Severity::error, "dics-line-unmatchable",
                               shown(line) + " is no \"dics=\" line (a blank before \"=\" or "
                                             "before the key): it is copied as it stands and "
                                             "takes no member");
        }
    }
    closeGroup();
}

// The dictionary configuration files of the folder, by name.
std::optional<std::vector<std::string>> cfgFiles(const std::string& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(zettools::fsPath(folder), error);
    if (error) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& item : it) {
        const std::string name = zettools::pathText(item.path().filename());
        if (name.size() <= kCfgExtension.size() || sameIgnoringCase(name, zet::appconfig::kCfgFile))
            continue;
        if (sameIgnoringCase(std::string_view(name).substr(name.size() - kCfgExtension.size()),
                             kCfgExtension))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// instdics.dat: an entry without its line end is never matched and never listed.
void checkInstalled(const Media& media) {
    const std::string path = media.path(zet::appconfig::kInstalledFile);
    auto text = zet::platform::readTextFile(path);
    if (!text) return;
    media.findings.file(path);
    zet::appconfig::cutAtFirstNul(*text);
    const std::optional<std::size_t> unended = zet::appconfig::unendedEntry(*text);
    if (!unended) return;
    const std::size_t star = *unended;
    const auto line =
        static_cast<std::size_t>(std::count(text->begin(), text->begin() + star, '\n'));
    media.findings.add(path, line + 1, Severity::error, "instdics-no-line-end",
                       "the entry " + shown(text->substr(star)) +
                           " has no line end: that dictionary is never installed");
}

} // namespace

bool checkMedia(const std::string& folder, const std::string& cataloguePath,
                const CatalogueCheck& catalogue, Findings& findings) {
    const auto cfgs = cfgFiles(folder);
    if (!cfgs) return false;
    const Media media{folder, cataloguePath, catalogue, findings};
    std::vector<bool> listed(catalogue.catalogue.entries.size(), false);
    const auto groups = checkGroups(media, listed);
    checkGroupNames(media, groups);
    checkOwnGroups(media, listed);
    for (const std::string& name : *cfgs) checkCfgFile(media, media.path(name));
    checkInstalled(media);
    checkFilesPresent(folder, cataloguePath, catalogue, findings);
    return true;
}

} // namespace zetcheck
