#include "platform/system.h"

#include <windows.h>

namespace zet::platform {

void* sys::allocStackNode(std::size_t bytes) noexcept {
    return GlobalAlloc(GPTR, bytes);
}

void sys::freeStackNode(void* node) noexcept {
    GlobalFree(static_cast<HGLOBAL>(node));
}

} // namespace zet::platform
