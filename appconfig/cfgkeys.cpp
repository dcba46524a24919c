#include "appconfig/cfgkeys.h"

#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/ini.h"
#include "platform/textrules.h"

#include <string>

namespace zet::appconfig {

namespace {

std::string sectionOf(std::string_view group) {
    std::string section(1, '.');
    section.append(group);
    return section;
}

} // namespace

void writeCfgKey(std::string_view folder, std::string_view group, std::string_view key,
                 std::string_view value) {
    const auto path = cfgPath(folder);
    if (!path || platform::holdsLineBreak(group) || platform::holdsLineBreak(key) ||
        platform::holdsLineBreak(value))
        return;
    // A key that cannot be written keeps its old value; the merge goes on with the next one.
    (void)platform::writeIniString(*path, sectionOf(group), key, value);
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
