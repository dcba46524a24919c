#include "tools/zetdll-diff/folder.h"
#include "plugin/hoststack.h"

#include <windows.h>

namespace zetdiff {

namespace {

std::uint64_t fileTime(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

const char kSeparator = '\\';

std::optional<std::uint64_t> writeTime(const std::string& path) {
    // Host texts are UTF-8 in the Unicode builds and ANSI bytes otherwise, as the stack's.
    const zet::StackText name = zet::stackFromHost(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
#if defined(ZET_UNICODE)
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
#else
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
#endif
    return fileTime(data.ftLastWriteTime);
}

std::uint64_t now() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return fileTime(time);
}

void unloadPlugin(void* plugin) {
    FreeLibrary(static_cast<HMODULE>(plugin));
}

} // namespace zetdiff
