#include "tests/support/host.h"

#include <array>
#include <stdexcept>

namespace zettest {

Host::~Host() {
    while (top != nullptr) pop();
}

Host& Host::push(std::string_view text) {
    if (!zet::pushNode(top, zet::stackFromHost(text), stringSize)) throw std::bad_alloc();
    return *this;
}

Host& Host::args(std::initializer_list<std::string_view> arguments) {
    for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it) push(*it);
    return *this;
}

void Host::call(ExportFunction function, int size) {
    static std::array<zet::StackChar, zet::kVariableCount * zet::kDefaultStringSize> variables{};
    function(nullptr, size, variables.data(), &top);
}

void Host::callWithoutStack(ExportFunction function, int size) {
    function(nullptr, size, nullptr, nullptr);
}

std::string Host::pop() {
    return zet::hostFromStack(zet::popNode(top, zet::textCapacity(stringSize)));
}

std::vector<std::string> Host::stack() const {
    std::vector<std::string> values;
    for (const zet::StackNode* node = top; node != nullptr; node = node->next)
        values.push_back(zet::hostFromStack(zet::nodeText(*node, zet::textCapacity(stringSize))));
    return values;
}

} // namespace zettest
