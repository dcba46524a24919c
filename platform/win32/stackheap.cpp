#include "platform/stackheap.h"

#include "platform/faults.h"

#include <windows.h>

namespace zet::platform {

void* allocStackNode(std::size_t bytes) noexcept {
    if (faults::shouldFail(faults::Point::allocStackNode)) return nullptr;
    return GlobalAlloc(GPTR, bytes);
}

void freeStackNode(void* node) noexcept {
    if (node != nullptr) GlobalFree(static_cast<HGLOBAL>(node));
}

} // namespace zet::platform
