#include "appconfig/rules.h"

#include <algorithm>

namespace zet::appconfig {

namespace {

// The section of a dictionary's configuration file that holds its display names.
constexpr char kLongNamesSection[] = "[LONG_NAMES]";

std::string_view trimLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && isSpace(line.back())) line.remove_suffix(1);
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

void cutAtFirstNul(std::string& installed) {
    installed.resize(platform::beforeFirstNul(installed).size());
}

std::size_t findInstalledEntry(std::string_view installed, std::string_view name) {
    for (std::size_t at = installed.find(name, 1); at != std::string_view::npos;
         at = installed.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (installed[at - 1] == kInstalledMark && end < installed.size() && installed[end] == '\n')
            return at - 1;
    }
    return std::string_view::npos;
}

std::optional<std::size_t> unendedEntry(std::string_view installed) {
    const std::size_t mark = installed.rfind(kInstalledMark);
    if (mark == std::string_view::npos || installed.find('\n', mark) != std::string_view::npos)
        return std::nullopt;
    return mark;
}

} // namespace zet::appconfig
