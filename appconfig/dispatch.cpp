#include "appconfig/dispatch.h"

#include "appconfig/groupmerge.h"
#include "appconfig/installedmerge.h"

namespace zet::appconfig {

bool isInstallList(std::string_view argument) {
    return argument.starts_with('/');
}

int dispatchCfgUpdate(std::string_view folder, std::string_view argument) {
    if (folder.empty()) return 0;
    if (isInstallList(argument)) return mergeInstalledDics(folder, argument.substr(1));
    return mergeDicIntoGroups(folder, argument);
}

} // namespace zet::appconfig
