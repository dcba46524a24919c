#include "plugin/frame.h"

#include "platform/ini.h"
#include "platform/transaction.h"
#if defined(ZET_UNICODE)
#include "platform/text.h"
#endif
#include "platform/textrules.h"

#include <cstdlib>
#include <string>

namespace zet {

namespace {

// The current call's way out (abandonCall), and how many values it has popped and pushed.
struct CallRecord {
    void* wayOut[5] = {}; // __builtin_setjmp's buffer
    bool armed = false;
    int popped = 0;
    int pushed = 0;
};

CallRecord& callRecord() {
    static CallRecord record;
    return record;
}

#if defined(__cpp_exceptions)
// Where the standard library throws (the Linux builds, the test programs), any exception ends
// the step as abandonCall does.
bool runStep(void (*step)()) {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}
#else
bool runStep(void (*step)()) {
    step();
    return true;
}
#endif

// Runs one step of a call with abandonCall's way out armed: false when it was abandoned.
bool withWayOut(void (*step)()) noexcept {
    CallRecord& record = callRecord();
    if (__builtin_setjmp(record.wayOut) != 0) return false;
    record.armed = true;
    const bool done = runStep(step);
    record.armed = false;
    return done;
}

// Takes off up to `count` values without reading them, so without allocating.
void dropValues(int count) {
    StackNode** top = callStack();
    for (; top != nullptr && *top != nullptr && count > 0; --count) dropNode(*top);
}

// Leaves the stack as an abandoned call must (see runExport). A step that runs out of memory
// again is passed over.
void abandon(int pops, void (*answer)()) {
    CallRecord& record = callRecord();
    (void)withWayOut(platform::dropOpenIniSession);
    (void)withWayOut(platform::dropOpenTransaction);
    dropValues(record.pushed);
    dropValues(pops - record.popped);
    record.pushed = 0;
    if (answer != nullptr && !withWayOut(answer)) dropValues(record.pushed);
}

StackText popArgument() {
    StackNode** top = callStack();
    if (top == nullptr) return {};
    ++callRecord().popped;
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
    callRecord().popped = 0;
    callRecord().pushed = 0;
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
    ++callRecord().popped;
    dropNode(*top);
    return true;
}

void pushText(std::string_view text) {
    StackNode** top = callStack();
    if (top != nullptr && pushNode(*top, stackFromText(text), pluginContext().stringSize))
        ++callRecord().pushed;
}

void pushNumber(int value) {
    pushText(platform::decimalText(value));
}

void runExport(void* parentWindow, int stringSize, StackChar* variables, StackNode** stackTop,
               void (*work)(), int pops, void (*answer)()) noexcept {
    beginCall(parentWindow, stringSize, variables, stackTop);
    if (!withWayOut(work)) abandon(pops, answer);
}

void abandonCall() noexcept {
    CallRecord& record = callRecord();
    if (!record.armed) std::abort();
    record.armed = false;
    __builtin_longjmp(record.wayOut, 1);
}

} // namespace zet
