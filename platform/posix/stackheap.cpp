#include "platform/stackheap.h"

#include <cstdlib>

namespace zet::platform {

void* allocStackNode(std::size_t bytes) noexcept {
    return std::calloc(1, bytes);
}

void freeStackNode(void* node) noexcept {
    std::free(node);
}

} // namespace zet::platform
