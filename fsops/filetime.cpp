#include "fsops/fsops.h"

#include "platform/files.h"

namespace zet::fsops {

void setFileModificationTime(const std::string& path, std::uint64_t fileTime) {
    platform::setFileWriteTime(path, fileTime);
}

} // namespace zet::fsops
