// Handing a path to the system's shell: fire and forget, nothing is waited for or reported.
#pragma once

#include <string>

namespace zet::platform {

// Opens a folder in a file-manager window. On Windows only on the NT family, as the shell's
// "explore" verb; elsewhere through xdg-open.
void shellExplore(const std::string& folder);

// Opens a file with the program associated with it: the shell's "open" verb on Windows,
// xdg-open elsewhere.
void shellOpen(const std::string& file);

} // namespace zet::platform
