#include "platform/stackheap.h"

#include "platform/faults.h"
#include "platform/system.h"

namespace zet::platform {

void* allocStackNode(std::size_t bytes) noexcept {
    if (faults::shouldFail(faults::Point::allocStackNode)) return nullptr;
    return sys::allocStackNode(bytes);
}

void freeStackNode(void* node) noexcept {
    if (node != nullptr) sys::freeStackNode(node);
}

} // namespace zet::platform
