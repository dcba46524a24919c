#include "tests/support/host.h"

#include "platform/stackheap.h"

#include <cstring>

namespace zettest {

Host::~Host() {
    while (top != nullptr) pop();
}

Host& Host::push(std::string_view text) {
    auto* node = static_cast<zet::StackNode*>(
        zet::platform::allocStackNode(static_cast<std::size_t>(stringSize) + 8));
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(stringSize) - 1);
    std::memcpy(node->text, text.data(), length);
    node->next = top;
    top = node;
    return *this;
}

Host& Host::args(std::initializer_list<std::string_view> arguments) {
    for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it) push(*it);
    return *this;
}

void Host::call(ExportFunction function, int size) {
    static char variables[25 * 1024];
    function(nullptr, size, variables, &top);
}

void Host::callWithoutStack(ExportFunction function, int size) {
    function(nullptr, size, nullptr, nullptr);
}

std::string Host::pop() {
    if (top == nullptr) return {};
    zet::StackNode* node = top;
    std::string text = node->text;
    top = node->next;
    zet::platform::freeStackNode(node);
    return text;
}

std::vector<std::string> Host::stack() const {
    std::vector<std::string> values;
    for (const zet::StackNode* node = top; node != nullptr; node = node->next)
        values.emplace_back(node->text);
    return values;
}

} // namespace zettest
