#include "platform/files.h"

#include <climits>

namespace zet::platform {

const char kPathSeparator = '/';
const std::size_t kMaxPathLength = PATH_MAX - 1;

bool pathFits(std::string_view path) {
    return path.size() <= kMaxPathLength;
}

std::optional<std::string> fileNameFromText(std::string_view name) {
    return std::string(name);
}

} // namespace zet::platform
