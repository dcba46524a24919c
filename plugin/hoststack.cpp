#include "plugin/hoststack.h"

#include "platform/stackheap.h"

#include <algorithm>
#include <cstring>

namespace zet {

std::size_t textCapacity(int stringSize) {
    return stringSize < 1 ? 1 : static_cast<std::size_t>(stringSize);
}

bool pushNode(StackNode*& top, std::string_view text, int stringSize) {
    const std::size_t capacity = textCapacity(stringSize);
    auto* node = static_cast<StackNode*>(platform::allocStackNode(capacity + kNodeExtraBytes));
    if (node == nullptr) return false;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(node->text, text.data(), length);
    node->text[length] = '\0';
    node->next = top;
    top = node;
    return true;
}

std::string popNode(StackNode*& top, std::size_t limit) {
    if (top == nullptr) return {};
    StackNode* node = top;
    std::string text(node->text, strnlen(node->text, limit));
    top = node->next;
    platform::freeStackNode(node);
    return text;
}

} // namespace zet
