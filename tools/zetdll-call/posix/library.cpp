#include "tools/zetdll-call/library.h"

#include <dlfcn.h>
#include <filesystem>

namespace zetcall {

std::string defaultPluginPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "libzetdll.so";
    return (self.parent_path() / "libzetdll.so").string();
}

void* loadPlugin(const std::string& path, std::string& error) {
    // A name without a slash would be searched for on the library path; a host loads by file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* plugin = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (plugin == nullptr) error = dlerror();
    return plugin;
}

ExportFunction findExport(void* plugin, const std::string& name) {
    return reinterpret_cast<ExportFunction>(dlsym(plugin, name.c_str()));
}

void useBinaryOutput() {}

} // namespace zetcall
