// The heap that the installer and the plug-in share for string-stack nodes: the host frees what
// the plug-in pushes and the plug-in frees what it pops, so both must use the same allocator
// (the Win32 global heap on Windows, the malloc family elsewhere).
#pragma once

#include <cstddef>

namespace zet::platform {

// Zero-filled block of `bytes`, or null when the heap cannot supply it.
void* allocStackNode(std::size_t bytes) noexcept;

// Releases a block from allocStackNode (or from the host); null is ignored.
void freeStackNode(void* node) noexcept;

} // namespace zet::platform
