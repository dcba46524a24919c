#include "platform/system.h"

#include "platform/text.h"

#include <windows.h>

namespace zet::platform {

const char kPathSeparator = '\\';
// The file and profile calls take at most MAX_PATH characters, terminator included.
const std::size_t kMaxPathLength = MAX_PATH - 1;

#if defined(ZET_UNICODE)

// The UTF-16 units of a UTF-8 text: one per sequence, two for a four-byte one.
std::size_t sys::pathLength(std::string_view path) {
    std::size_t units = 0;
    for (const unsigned char byte : path) {
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;
    }
    return units;
}

std::optional<std::string> sys::fileNameFromText(std::string_view name) {
    const std::wstring wide = wideFromAnsi(name);
    if (wide.empty() && !name.empty()) return std::nullopt;
    return utf8FromWide(wide);
}

#else

std::size_t sys::pathLength(std::string_view path) {
    return path.size();
}

std::optional<std::string> sys::fileNameFromText(std::string_view name) {
    return std::string(name);
}

#endif

} // namespace zet::platform
