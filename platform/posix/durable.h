// Replacing a file's whole content so that a crash at any moment leaves the old content or the
// new one, never a mixture, and the file stays the same file to its users.
#pragma once

#include <string>
#include <string_view>

namespace zet::platform::posix {

// Gives the file at `path` the content `bytes`, creating it when missing. A symbolic link is
// followed, and the file it finally names is replaced beside itself, so the link stays. The new
// content goes into a temporary file in the same folder, is flushed to the disk and renamed over
// the old file, and the folder is flushed; the file keeps its owner, group and mode. Where that
// cannot keep the file's identity (another owner that this process cannot give a new file, hard
// links) or the folder takes no new file, an existing file is rewritten in place instead. False
// when nothing could be written (a full disk among others); the file is then unchanged.
// Temporaries that an interrupted earlier replacement left beside the file are removed once a
// replacement succeeds (see isTemporaryName); a fresh name is taken for each replacement, so
// that what an interrupted one left never blocks the next.
bool replaceFileContent(const std::string& path, std::string_view bytes);

// Removes the temporaries that interrupted replacements of `path` left beside it.
void removeLeftoversBeside(const std::string& path);

} // namespace zet::platform::posix
