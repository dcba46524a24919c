#include "plugin/hoststack.h"

#include "platform/stackheap.h"
#if defined(ZET_UNICODE)
#include "platform/text.h"
#endif

#include <algorithm>
#include <cstring>

namespace zet {

std::size_t textCapacity(int stringSize) {
    return stringSize < 1 ? 1 : static_cast<std::size_t>(stringSize);
}

bool stringSizeFits(int stringSize) {
    return stringSize >= 1 && stringSize <= kMaxStringSize;
}

bool pushNode(StackNode*& top, StackView text, int stringSize) {
    if (!stringSizeFits(stringSize)) return false;
    const std::size_t capacity = textCapacity(stringSize);
    auto* node = static_cast<StackNode*>(
        platform::allocStackNode(capacity * sizeof(StackChar) + kNodeExtraBytes));
    if (node == nullptr) return false;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(node->text, text.data(), length * sizeof(StackChar));
    node->text[length] = StackChar{0};
    node->next = top;
    top = node;
    return true;
}

StackView nodeText(const StackNode& node, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && node.text[length] != StackChar{0}) ++length;
    return StackView(node.text, length);
}

StackText popNode(StackNode*& top, std::size_t limit) {
    if (top == nullptr) return {};
    // Off the stack before the copy, which may run out of memory: the value is then taken all
    // the same (its node is not given back), as an abandoned call expects.
    StackNode* node = top;
    top = node->next;
    StackText text(nodeText(*node, limit));
    platform::freeStackNode(node);
    return text;
}

void dropNode(StackNode*& top) {
    StackNode* node = top;
    top = node->next;
    platform::freeStackNode(node);
}

#if defined(ZET_UNICODE)

StackText stackFromHost(std::string_view text) {
    return platform::wideFromUtf8(text).value_or(StackText());
}

std::string hostFromStack(StackView text) {
    if (auto utf8 = platform::utf8FromWide(text)) return *utf8;
    // An unpaired surrogate: each unit on its own, the broken ones as U+FFFD.
    std::string result;
    for (const StackChar unit : text)
        result += platform::utf8FromWide(StackView(&unit, 1)).value_or("\xEF\xBF\xBD");
    return result;
}

#else

StackText stackFromHost(std::string_view text) {
    return StackText(text);
}

std::string hostFromStack(StackView text) {
    return std::string(text);
}

#endif

} // namespace zet
