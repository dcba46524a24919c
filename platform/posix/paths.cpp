#include "platform/files.h"

#include <climits>

namespace zet::platform {

const char kPathSeparator = '/';
const std::size_t kMaxPathLength = PATH_MAX - 1;

} // namespace zet::platform
