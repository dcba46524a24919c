#include "tools/zetdll-call/library.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace zetcall {

std::string defaultPluginPath() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "zetdll.dll";
    std::string path(self, length);
    const auto slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "zetdll.dll";
}

void* loadPlugin(const std::string& path, std::string& error) {
    HMODULE plugin = LoadLibraryA(path.c_str());
    if (plugin == nullptr)
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(plugin);
}

ExportFunction findExport(void* plugin, const std::string& name) {
    // GetProcAddress returns a generic function pointer; go through void* to the real type.
    FARPROC address = GetProcAddress(static_cast<HMODULE>(plugin), name.c_str());
    return reinterpret_cast<ExportFunction>(reinterpret_cast<void*>(address));
}

void useBinaryOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace zetcall
