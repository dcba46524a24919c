#include "appconfig/dispatch.h"

#include "appconfig/groupmerge.h"
#include "appconfig/installedmerge.h"
#include "platform/ini.h"

namespace zet::appconfig {

bool isInstallList(std::string_view argument) {
    return argument.starts_with('/');
}

int dispatchCfgUpdate(std::string_view folder, std::string_view argument) {
    if (folder.empty()) return 0;
    // The call's key writes land together, in one write of duvevo.cfg, or not at all.
    platform::IniSession session;
    const int result = isInstallList(argument) ? mergeInstalledDics(folder, argument.substr(1))
                                               : mergeDicIntoGroups(folder, argument);
    session.commit();
    return result;
}

} // namespace zet::appconfig
