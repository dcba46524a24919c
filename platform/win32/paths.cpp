#include "platform/system.h"

#include "platform/text.h"
#include "platform/win32/ansipaths.h"

#include <windows.h>

#include <climits>

namespace zet::platform {

bool win32::ansiEndsInSeparator(std::string_view path, unsigned codePage) {
    // Only a walk from the start tells a lead byte from a trailing one.
    std::size_t last = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        last = i;
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(path[i])) && i + 1 < path.size()) ++i;
    }
    return !path.empty() && last == path.size() - 1 && path.back() == '\\';
}

std::size_t win32::ansiPathLength(std::string_view path, unsigned codePage) {
    if (path.size() > static_cast<std::size_t>(INT_MAX)) return path.size();
    const int units =
        MultiByteToWideChar(codePage, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    return units > 0 ? static_cast<std::size_t>(units) : path.size();
}

const char kPathSeparator = '\\';
// The file and profile calls take at most MAX_PATH characters, terminator included.
const std::size_t kMaxPathLength = MAX_PATH - 1;

#if defined(ZET_UNICODE)

// The UTF-16 units of a UTF-8 text: one per sequence, two for a four-byte one.
// UTF-8 never has a backslash inside a character.
bool sys::endsInSeparator(std::string_view path) {
    return !path.empty() && path.back() == '\\';
}

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

bool sys::endsInSeparator(std::string_view path) {
    return win32::ansiEndsInSeparator(path, GetACP());
}

std::size_t sys::pathLength(std::string_view path) {
    return win32::ansiPathLength(path, GetACP());
}

std::optional<std::string> sys::fileNameFromText(std::string_view name) {
    return std::string(name);
}

#endif

} // namespace zet::platform
