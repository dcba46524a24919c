// The call frame every export shares: the call record and the installer's string stack.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zet {

// One entry of the installer's string stack, laid out as the NSIS plug-in interface defines it:
// the node beneath, then the zero-terminated text (as long as the host's string size).
struct StackNode {
    StackNode* next;
    char text[1];
};

// The four values of the current call, and the module instance the entry point recorded.
struct PluginContext {
    void* parentWindow = nullptr;
    int stringSize = 0;
    char* variables = nullptr;
    StackNode** stackTop = nullptr;
    void* moduleInstance = nullptr;
};

// An argument holds at most 1023 characters; a longer popped text is cut there.
inline constexpr std::size_t kArgumentCapacity = 1024;

PluginContext& pluginContext();

// Records the call values; the first step of every export.
void beginCall(void* parentWindow, int stringSize, char* variables, StackNode** stackTop);

// Takes the top text off the stack and frees its node. Empty when there is no stack or it is
// empty, so a missing argument reads as the empty text.
std::string popString();

// Puts a text on top, cut to string size - 1 characters. Does nothing without a stack, or when
// no node can be allocated.
void pushString(std::string_view text);

// Pushes a number as decimal text.
void pushNumber(int value);

// Runs one export's work inside the frame: records the call and keeps every exception inside
// the plug-in, since none may reach the installer.
void runExport(void* parentWindow, int stringSize, char* variables, StackNode** stackTop,
               void (*work)()) noexcept;

} // namespace zet
