#include "fsops/fsops.h"

#include "plugin/frame.h"

namespace zet::fsops {

void giveAllPermissions() {
    popString();
}
void exploreFolder() {
    popString();
}
void executeFile() {
    popString();
}
void setFileModificationTime() {
    popString();
    popString();
}

} // namespace zet::fsops
