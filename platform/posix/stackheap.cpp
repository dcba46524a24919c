#include "platform/system.h"

#include <cstdlib>

namespace zet::platform {

void* sys::allocStackNode(std::size_t bytes) noexcept {
    return std::calloc(1, bytes);
}

void sys::freeStackNode(void* node) noexcept {
    std::free(node);
}

} // namespace zet::platform
