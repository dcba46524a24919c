// The library entry point (built into the Windows DLL only, which has no C runtime start-up):
// records the module instance for every reason code, and on unloading runs the destructors of
// the DLL's static objects, so that a DLL the installer frees after a call leaves no memory behind.
#include "platform/export.h"
#include "plugin/frame.h"
#include "plugin/runtime.h"

namespace {

constexpr unsigned long kProcessDetach = 0; // DLL_PROCESS_DETACH

} // namespace

extern "C" int ZET_ENTRY_CALL DllMain(void* instance, unsigned long reason, void* /*reserved*/) {
    zet::pluginContext().moduleInstance = instance;
    if (reason == kProcessDetach) zet::runtime::runExitFunctions();
    return 1;
}
