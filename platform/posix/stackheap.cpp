#include "platform/stackheap.h"

#include "platform/faults.h"

#include <cstdlib>

namespace zet::platform {

void* allocStackNode(std::size_t bytes) noexcept {
    if (faults::shouldFail(faults::Point::allocStackNode)) return nullptr;
    return std::calloc(1, bytes);
}

void freeStackNode(void* node) noexcept {
    std::free(node);
}

} // namespace zet::platform
