#include "platform/files.h"

#include "platform/system.h"

namespace zet::platform {

bool validPath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

bool endsInSeparator(std::string_view path) {
    return sys::endsInSeparator(path);
}

bool pathFits(std::string_view path) {
    return sys::pathLength(path) <= kMaxPathLength;
}

std::optional<std::string> fileNameFromText(std::string_view name) {
    return sys::fileNameFromText(name);
}

} // namespace zet::platform
