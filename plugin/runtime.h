// The Windows DLL's own runtime pieces (plugin/runtime.cpp), as its entry point needs them.
#pragma once

namespace zet::runtime {

// Runs the destructors of the DLL's static objects, the last registered first; the entry point
// calls it when the DLL is unloaded.
void runExitFunctions();

} // namespace zet::runtime
