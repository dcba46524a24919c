// The call frame every export shares: the call record, and the arguments and results that
// cross the installer's string stack.
#pragma once

#include "plugin/hoststack.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zet {

// The four values of the current call, and the module instance the entry point recorded.
struct PluginContext {
    void* parentWindow = nullptr;
    int stringSize = 0;
    StackChar* variables = nullptr;
    StackNode** stackTop = nullptr;
    void* moduleInstance = nullptr;
};

// Addresses below 64 KiB are never valid on Windows: a stack pointer there is a small number
// from a caller that is no installer (rundll32 passes its show flag, 1, in that place).
inline constexpr std::uintptr_t kLowestStackAddress = 0x10000;

// An argument holds at most 1023 characters; a longer popped text is cut there.
inline constexpr std::size_t kArgumentCapacity = 1024;

PluginContext& pluginContext();

// Records the call values; the first step of every export.
void beginCall(void* parentWindow, int stringSize, StackChar* variables, StackNode** stackTop);

// The stack the current call may use, or null: none given, a stack pointer below
// kLowestStackAddress, or a string size that leaves no room for a node (see stringSizeFits).
// Such a call pops and pushes nothing, so its export runs with empty arguments.
StackNode** callStack();

// Takes the top text off the stack and frees its node. Empty when there is no stack or it is
// empty, so a missing argument reads as the empty text. A path names a file or folder; a text
// is any other argument. In the ANSI and POSIX builds both arrive as the stack's bytes. In the
// Unicode builds a path arrives as UTF-8 with every character (empty when it holds an unpaired
// surrogate, so that nothing is opened), and a text in the ANSI code page, where a character
// the code page cannot hold reads as '?' (never a best-fit look-alike).
std::string popPath();
std::string popText();

// An argument whose role its text decides: a path when `isPath` says so of it, else a text
// that must convert exactly. Nullopt for a text the code page cannot hold, which must then be
// used nowhere.
std::optional<std::string> popPathOrExactText(bool (*isPath)(std::string_view));

// Discards the top value, if there is one; false when there is none.
bool dropValue();

// Puts a text (ANSI code page) on top, cut to string size - 1 characters of the stack's kind. Does
// nothing without a stack, or when no node can be allocated.
void pushText(std::string_view text);

// Pushes a number as decimal text.
void pushNumber(int value);

// Runs one export's work inside the frame: records the call and keeps every failure inside the
// plug-in, since none may reach the installer. A call that cannot get its memory is abandoned
// where it stands: the values it pushed come off again, what it left open (an INI session, a
// file transaction) is dropped, its working copy removed where no open file of the call still
// holds it, and the stack is left as an abandoned call leaves it (see abandonCall): its `pops`
// arguments taken off, and then what `answer` pushes, the export's answer to an input it cannot
// read (nothing when null). Every export pops all its arguments before it pushes anything.
void runExport(void* parentWindow, int stringSize, StackChar* variables, StackNode** stackTop,
               void (*work)(), int pops = 0, void (*answer)() = nullptr) noexcept;

// Leaves the current export at once, as runExport describes: where there are no exceptions (the
// Windows DLL), an allocation that fails and the standard library's error helpers end here. The
// memory the abandoned frames held is not given back. Outside an export, where nothing
// allocates, it ends the process.
[[noreturn]] void abandonCall() noexcept;

} // namespace zet
