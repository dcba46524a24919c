#include "appconfig/rules.h"

#include <algorithm>

namespace zet::appconfig {

namespace {

// The section of a dictionary's configuration file that holds its display names.
constexpr std::string_view kLongNamesSection = "[LONG_NAMES]";

std::string_view trimLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && isSpace(line.back()))
        line.remove_suffix(1);
    return line;
}

bool startsWithMembersKey(std::string_view line) {
    return line.size() > kMembersKey.size() && line[kMembersKey.size()] == '=' &&
           sameIgnoringCase(line.substr(0, kMembersKey.size()), kMembersKey);
}

} // namespace

std::string dictionaryCfgFile(std::string_view name) {
    std::string file(name);
    file.append(kCfgExtension);
    return file;
}

std::optional<GroupLine> groupLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return GroupLine{line.substr(0, equals), trimLineEnd(line.substr(equals + 1))};
}

bool opensLongNames(std::string_view line) {
    return line.starts_with(kLongNamesSection);
}

SectionLine GroupSectionWalk::next(std::string_view line) {
    if (line.empty() || line.front() == ';' || line.front() == '\n') return SectionLine::ignored;
    if (opensSection(line)) {
        inGroup_ = line.size() > 1 && line[1] == '.';
        return inGroup_ ? SectionLine::groupHeader : SectionLine::otherHeader;
    }
    if (!inGroup_) return SectionLine::ignored;
    return startsWithMembersKey(line) ? SectionLine::members : SectionLine::text;
}

std::vector<std::string_view> memberNames(std::string_view membersLine) {
    const std::string_view members =
        membersLine.substr(std::min(membersLine.size(), kMembersKey.size() + 1));
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while ((start = members.find_first_not_of(", \n", start)) != std::string_view::npos) {
        const std::size_t end = std::min(members.find_first_of(", \n", start), members.size());
        names.push_back(members.substr(start, end - start));
        start = end;
    }
    return names;
}

void cutAtFirstNul(std::string& installed) {
    installed.resize(platform::beforeFirstNul(installed).size());
}

std::string installedEntry(std::string_view name) {
    std::string entry(1, kInstalledMark);
    entry.append(name);
    entry += '\n';
    return entry;
}

std::vector<std::string_view> installedNames(std::string_view installed) {
    std::vector<std::string_view> names;
    for (std::size_t mark = installed.find(kInstalledMark); mark != std::string_view::npos;) {
        const std::size_t newline = installed.find('\n', mark);
        if (newline == std::string_view::npos) break;
        names.push_back(installed.substr(mark + 1, newline - mark));
        mark = installed.find(kInstalledMark, newline);
    }
    return names;
}

std::optional<std::size_t> unendedEntry(std::string_view installed) {
    const std::size_t mark = installed.rfind(kInstalledMark);
    if (mark == std::string_view::npos || installed.find('\n', mark) != std::string_view::npos)
        return std::nullopt;
    return mark;
}

} // namespace zet::appconfig
