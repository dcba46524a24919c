// The DLL entry point: records the module instance for every reason code and does nothing else.
#include "plugin/frame.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    zet::pluginContext().moduleInstance = instance;
    return TRUE;
}
