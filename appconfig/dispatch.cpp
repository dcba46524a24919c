#include "appconfig/dispatch.h"

#include "appconfig/groupmerge.h"
#include "appconfig/installedmerge.h"
#include "appconfig/paths.h"
#include "appconfig/removal.h"
#include "platform/ini.h"
#include "platform/transaction.h"

namespace zet::appconfig {

bool isInstallList(std::string_view argument) {
    return argument.starts_with('/');
}

namespace {

// One merge, its INI writes collected and written together.
bool merge(std::string_view folder, std::string_view argument) {
    platform::IniSession session;
    const bool result = isInstallList(argument) ? mergeInstalledDics(folder, argument.substr(1))
                                                : mergeDicIntoGroups(folder, argument);
    // A file that could not be written keeps its old content; the answer is the merge's.
    (void)session.commit();
    return result;
}

bool removal(std::string_view folder, std::string_view argument) {
    return isInstallList(argument) ? removeListedGroups(folder, argument.substr(1))
                                   : removeDicFromGroups(folder, argument);
}

// Runs one call's work so that it lands in duvevo.cfg in one step, or not at all.
bool inOneStep(std::string_view folder, std::string_view argument,
               bool (*work)(std::string_view, std::string_view)) {
    if (folder.empty()) return false;
    const auto path = cfgPath(folder);
    if (!path) return work(folder, argument);
    using Landing = platform::FileTransaction::Landing;
    {
        platform::FileTransaction transaction(*path);
        const bool result = work(folder, argument);
        switch (transaction.commit()) {
        case Landing::whole:
            return result;
        case Landing::none:
            return false;
        case Landing::inPlace:
            break;
        }
    }
    // The working copy could not be written or put in place (another program holds the file
    // open): the call is made again on the file itself, as its writes would otherwise be lost.
    return work(folder, argument);
}

} // namespace

bool dispatchCfgUpdate(std::string_view folder, std::string_view argument) {
    return inOneStep(folder, argument, merge);
}

bool dispatchCfgRemoval(std::string_view folder, std::string_view argument) {
    return inOneStep(folder, argument, removal);
}

} // namespace zet::appconfig
