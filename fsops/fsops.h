// The file-system and shell exports' work.
#pragma once

namespace zet::fsops {

void giveAllPermissions();
void exploreFolder();
void executeFile();
void setFileModificationTime();

} // namespace zet::fsops
