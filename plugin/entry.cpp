// The library entry point (built into the Windows DLL only): records the module instance for
// every reason code and does nothing else.
#include "platform/export.h"
#include "plugin/frame.h"

extern "C" int ZET_ENTRY_CALL DllMain(void* instance, unsigned long /*reason*/,
                                      void* /*reserved*/) {
    zet::pluginContext().moduleInstance = instance;
    return 1;
}
