#include "appconfig/cfgkeys.h"

#include "appconfig/paths.h"
#include "platform/ini.h"

#include <string>

namespace zet::appconfig {

namespace {

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string sectionOf(std::string_view group) {
    std::string section(1, '.');
    section.append(group);
    return section;
}

} // namespace

void writeCfgKey(std::string_view folder, std::string_view group, std::string_view key,
                 std::string_view value) {
    const auto path = cfgPath(folder);
    if (!path || holdsLineBreak(group) || holdsLineBreak(key) || holdsLineBreak(value)) return;
    platform::writeIniString(*path, sectionOf(group), key, value);
}

void appendToDics(std::string_view folder, std::string_view group, std::string_view name) {
    const auto path = cfgPath(folder);
    if (!path) return;
    std::string members = platform::readIniString(*path, sectionOf(group), kMembersKey);
    if (!members.empty()) members += ',';
    members += name;
    writeCfgKey(folder, group, kMembersKey, members);
}

} // namespace zet::appconfig
