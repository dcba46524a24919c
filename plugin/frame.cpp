#include "plugin/frame.h"

#if defined(ZET_UNICODE)
#include "platform/text.h"
#endif

#include <string>

namespace zet {

namespace {

StackText popArgument() {
    StackNode** top = callStack();
    if (top == nullptr) return {};
    return popNode(*top, kArgumentCapacity - 1);
}

// The conversions between the stack's text and the plug-in's: none in the 8-bit builds.
#if defined(ZET_UNICODE)

std::string pathFromStack(StackView text) {
    return platform::utf8FromWide(text).value_or(std::string());
}

std::string textFromStack(StackView text, bool& exact) {
    return platform::ansiFromWide(text, exact);
}

StackText stackFromText(std::string_view text) {
    return platform::wideFromAnsi(text);
}

#else

std::string pathFromStack(StackView text) {
    return std::string(text);
}

std::string textFromStack(StackView text, bool& exact) {
    exact = true;
    return std::string(text);
}

StackText stackFromText(std::string_view text) {
    return StackText(text);
}

#endif

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

StackNode** callStack() {
    const PluginContext& context = pluginContext();
    if (reinterpret_cast<std::uintptr_t>(context.stackTop) < kLowestStackAddress) return nullptr;
    if (!stringSizeFits(context.stringSize)) return nullptr;
    return context.stackTop;
}

std::string popPath() {
    return pathFromStack(popArgument());
}

std::string popText() {
    bool exact = true;
    return textFromStack(popArgument(), exact);
}

std::optional<std::string> popPathOrExactText(bool (*isPath)(std::string_view)) {
    const StackText argument = popArgument();
    std::string path = pathFromStack(argument);
    if (isPath(path)) return path;
    bool exact = true;
    std::string text = textFromStack(argument, exact);
    if (!exact) return std::nullopt;
    return text;
}

bool dropValue() {
    StackNode** top = callStack();
    if (top == nullptr || *top == nullptr) return false;
    popNode(*top, 0);
    return true;
}

void pushText(std::string_view text) {
    StackNode** top = callStack();
    if (top != nullptr) pushNode(*top, stackFromText(text), pluginContext().stringSize);
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
