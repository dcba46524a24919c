// What the host tool needs from the system: load the plug-in and find an export in it.
#pragma once

#include "plugin/hoststack.h"

#include <string>

namespace zetcall {

using zet::ExportFunction;

// The plug-in's file name beside this program.
std::string defaultPluginPath();

// Loads the library; null and a message in `error` when that fails. Never unloaded.
void* loadPlugin(const std::string& path, std::string& error);

// The export of that name, or null.
ExportFunction findExport(void* plugin, const std::string& name);

// Standard output carries the results byte for byte (no newline translation).
void useBinaryOutput();

} // namespace zetcall
