#include "platform/shell.h"

#include "platform/system.h"

namespace zet::platform {

void shellExplore(const std::string& folder) {
    sys::shellExplore(folder);
}

void shellOpen(const std::string& file) {
    sys::shellOpen(file);
}

} // namespace zet::platform
