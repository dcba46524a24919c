#include "plugin/frame.h"

#include <string>

namespace zet {

namespace {

std::string popArgument() {
    StackNode** top = pluginContext().stackTop;
    if (top == nullptr) return {};
    return popNode(*top, kArgumentCapacity - 1);
}

} // namespace

PluginContext& pluginContext() {
    static PluginContext context;
    return context;
}

void beginCall(void* parentWindow, int stringSize, StackChar* variables, StackNode** stackTop) {
    PluginContext& context = pluginContext();
    context.parentWindow = parentWindow;
    context.stringSize = stringSize;
    context.variables = variables;
    context.stackTop = stackTop;
}

std::string popPath() {
    return popArgument();
}

std::string popText() {
    return popArgument();
}

bool dropValue() {
    StackNode** top = pluginContext().stackTop;
    if (top == nullptr || *top == nullptr) return false;
    popNode(*top, 0);
    return true;
}

void pushText(std::string_view text) {
    StackNode** top = pluginContext().stackTop;
    if (top != nullptr) pushNode(*top, text, pluginContext().stringSize);
}

void pushNumber(int value) {
    pushText(std::to_string(value));
}

void runExport(void* parentWindow, int stringSize, StackChar* variables, StackNode** stackTop,
               void (*work)()) noexcept {
    try {
        beginCall(parentWindow, stringSize, variables, stackTop);
        work();
    } catch (...) {
        // Out of memory or any other surprise: the installer goes on with what was pushed.
    }
}

} // namespace zet
