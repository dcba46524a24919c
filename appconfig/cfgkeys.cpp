#include "appconfig/cfgkeys.h"

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

void writeCfgKey(const std::string& cfg, std::string_view group, std::string_view key,
                 std::string_view value) {
    if (cfg.empty() || platform::holdsLineBreak(group) || platform::holdsLineBreak(key) ||
        platform::holdsLineBreak(value))
        return;
    // A key that cannot be written keeps its old value; the merge goes on with the next one.
    (void)platform::writeIniString(cfg, sectionOf(group), key, value);
}

void appendToDics(const std::string& cfg, std::string_view group, std::string_view name) {
    if (cfg.empty()) return;
    std::string members = platform::readIniString(cfg, sectionOf(group), kMembersKey);
    if (!members.empty()) members += ',';
    members += name;
    writeCfgKey(cfg, group, kMembersKey, members);
}

} // namespace zet::appconfig
