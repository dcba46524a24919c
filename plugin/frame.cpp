#include "plugin/frame.h"

#include "platform/stackheap.h"

#include <cstring>
#include <new>

namespace zet {

PluginContext& pluginContext() {
    static PluginContext context;
    return context;
}

void beginCall(void* parentWindow, int stringSize, char* variables, StackNode** stackTop) {
    PluginContext& context = pluginContext();
    context.parentWindow = parentWindow;
    context.stringSize = stringSize;
    context.variables = variables;
    context.stackTop = stackTop;
}

std::string popString() {
    StackNode** top = pluginContext().stackTop;
    if (top == nullptr || *top == nullptr) return {};
    StackNode* node = *top;
    // Never look further than the argument can hold, even if the host forgot a terminator.
    std::string text(node->text, strnlen(node->text, kArgumentCapacity - 1));
    *top = node->next;
    platform::freeStackNode(node);
    return text;
}

void pushString(std::string_view text) {
    StackNode** top = pluginContext().stackTop;
    if (top == nullptr) return;
    // A string size below 1 leaves room for the terminator only.
    const int stringSize = pluginContext().stringSize;
    const std::size_t capacity = stringSize < 1 ? 1 : static_cast<std::size_t>(stringSize);
    // Sized as the installer sizes its own nodes: string size + 8 bytes.
    static_assert(offsetof(StackNode, text) <= 8);
    auto* node = static_cast<StackNode*>(platform::allocStackNode(capacity + 8));
    if (node == nullptr) return;
    const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(node->text, text.data(), length);
    node->text[length] = '\0';
    node->next = *top;
    *top = node;
}

void pushNumber(int value) {
    pushString(std::to_string(value));
}

void runExport(void* parentWindow, int stringSize, char* variables, StackNode** stackTop,
               void (*work)()) noexcept {
    try {
        beginCall(parentWindow, stringSize, variables, stackTop);
        work();
    } catch (...) {
        // Out of memory or any other surprise: the installer goes on with what was pushed.
    }
}

} // namespace zet
