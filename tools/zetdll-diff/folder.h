// What the differential driver needs from the system beyond the host tool's loading: a file's
// last-write time, and letting the plug-in go as an installer does after a call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zetdiff {

// The last-write time as a FILETIME (100-ns intervals since 1 January 1601 UTC).
std::optional<std::uint64_t> writeTime(const std::string& path);

// The present time in the same units.
std::uint64_t now();

// Unloads the library loadPlugin gave, so that the next load starts with fresh module state.
void unloadPlugin(void* plugin);

// The separator between a folder and a name in this system's paths.
extern const char kSeparator;

} // namespace zetdiff
