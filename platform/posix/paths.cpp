#include "platform/system.h"

#include <climits>

namespace zet::platform {

const char kPathSeparator = '/';
const std::size_t kMaxPathLength = PATH_MAX - 1;

bool sys::endsInSeparator(std::string_view path) {
    return !path.empty() && path.back() == '/';
}

std::size_t sys::pathLength(std::string_view path) {
    return path.size();
}

std::optional<std::string> sys::fileNameFromText(std::string_view name) {
    return std::string(name);
}

} // namespace zet::platform
