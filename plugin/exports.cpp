// The export table: every function an installer script can call, with the NSIS plug-in
// signature. Each one runs its subsystem's work inside the common call frame.
#include "appconfig/merge.h"
#include "catalogue/queries.h"
#include "fsops/fsops.h"
#include "platform/export.h"
#include "plugin/dummy.h"
#include "plugin/frame.h"

#define ZET_PLUGIN_EXPORT(name, work)                                                              \
    extern "C" ZET_EXPORT void name(void* parentWindow, int stringSize, char* variables,           \
                                    zet::StackNode** stackTop) {                                   \
        zet::runExport(parentWindow, stringSize, variables, stackTop, work);                       \
    }

ZET_PLUGIN_EXPORT(loadDicInfo, zet::catalogue::loadDicInfo)
ZET_PLUGIN_EXPORT(dicInfo, zet::catalogue::dicInfo)
ZET_PLUGIN_EXPORT(dicFiles, zet::catalogue::dicFiles)
ZET_PLUGIN_EXPORT(updateDuvEvoCfg, zet::appconfig::updateDuvEvoCfg)
ZET_PLUGIN_EXPORT(giveAllPermissions, zet::fsops::giveAllPermissions)
ZET_PLUGIN_EXPORT(exploreFolder, zet::fsops::exploreFolder)
ZET_PLUGIN_EXPORT(executeFile, zet::fsops::executeFile)
ZET_PLUGIN_EXPORT(setFileModificationTime, zet::fsops::setFileModificationTime)
ZET_PLUGIN_EXPORT(dummy, zet::dummy)
