#include "platform/stackheap.h"
#include "platform/system.h"

#include <windows.h>

namespace zet::platform {

void* sys::allocStackNode(std::size_t bytes) noexcept {
    return GlobalAlloc(GPTR, bytes);
}

void freeStackNode(void* node) noexcept {
    if (node != nullptr) GlobalFree(static_cast<HGLOBAL>(node));
}

} // namespace zet::platform
