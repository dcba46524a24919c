// The file-system and shell chores an installer asks for. None of them reports an outcome.
#pragma once

#include <cstdint>
#include <string>

namespace zet::fsops {

// Gives everyone full access to one file or folder. A leading "*" marks a folder and is taken
// off (only that one); without it only a file is changed.
void giveAllPermissions(const std::string& argument);

// Gives an existing file the last-write time `fileTime` (a FILETIME); 0 leaves it unchanged.
void setFileModificationTime(const std::string& path, std::uint64_t fileTime);

// Opens a folder in a file-manager window, or a file with its program, without waiting. The
// shell gets the path unchecked, even the empty text.
void exploreFolder(const std::string& folder);
void executeFile(const std::string& file);

} // namespace zet::fsops
