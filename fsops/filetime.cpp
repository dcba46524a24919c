#include "fsops/fsops.h"
#include "fsops/timetext.h"
#include "platform/files.h"
#include "plugin/frame.h"

namespace zet::fsops {

void setFileModificationTime() {
    const std::string path = popString();
    const std::string timeText = popString();
    // Nothing is reported to the script, whether or not the file could be opened.
    platform::setFileWriteTime(path, parseFileTimeText(timeText).value());
}

} // namespace zet::fsops
