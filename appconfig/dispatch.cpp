#include "appconfig/dispatch.h"

#include "appconfig/groupmerge.h"
#include "appconfig/installedmerge.h"

namespace zet::appconfig {

int dispatchCfgUpdate(std::string_view folder, std::string_view argument) {
    if (folder.empty()) return 0;
    if (argument.starts_with('/')) return mergeInstalledDics(folder, argument.substr(1));
    return mergeDicIntoGroups(folder, argument);
}

} // namespace zet::appconfig
