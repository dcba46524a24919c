#include "platform/shell.h"
#include "fsops/fsops.h"
#include "plugin/frame.h"

namespace zet::fsops {

// Neither export checks its path or waits: the shell gets whatever was popped, even the empty
// text, and its outcome is not reported.
void exploreFolder() {
    platform::shellExplore(popString());
}

void executeFile() {
    platform::shellOpen(popString());
}

} // namespace zet::fsops
