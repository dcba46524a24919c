#include "fsops/fsops.h"

#include "platform/shell.h"

namespace zet::fsops {

void exploreFolder(const std::string& folder) {
    platform::shellExplore(folder);
}

void executeFile(const std::string& file) {
    platform::shellOpen(file);
}

} // namespace zet::fsops
