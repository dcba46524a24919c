#include "appconfig/dispatch.h"

#include "appconfig/groupmerge.h"
#include "appconfig/installedmerge.h"
#include "platform/ini.h"

namespace zet::appconfig {

int dispatchCfgUpdate(std::string_view folder, std::string_view argument) {
    if (folder.empty()) return 0;
    // The call's key writes land together, in one write of duvevo.cfg, or not at all.
    platform::IniSession session;
    const int result = argument.starts_with('/') ? mergeInstalledDics(folder, argument.substr(1))
                                                 : mergeDicIntoGroups(folder, argument);
    session.commit();
    return result;
}

} // namespace zet::appconfig
