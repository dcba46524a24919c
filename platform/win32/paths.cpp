#include "platform/files.h"

#include <windows.h>

namespace zet::platform {

const char kPathSeparator = '\\';
// The ANSI file and profile calls take at most MAX_PATH characters, terminator included.
const std::size_t kMaxPathLength = MAX_PATH - 1;

} // namespace zet::platform
