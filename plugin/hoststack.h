// The installer's string stack as the NSIS plug-in interface defines it. The plug-in, the host
// tool and the test host all build and take nodes through these few definitions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zet {

// The character of a stack text.
using StackChar = char;

// One entry of the stack: the node beneath, then the zero-terminated text.
struct StackNode {
    StackNode* next;
    StackChar text[1];
};

// Every export has this signature: parent window, string size, variables, stack top.
using ExportFunction = void (*)(void* parentWindow, int stringSize, StackChar* variables,
                                StackNode** stackTop);

// The string size an installer passes unless it was built otherwise, and the number of its
// variables ($0-$9, $R0-$R9, $INSTDIR and the rest), each string size characters long.
inline constexpr int kDefaultStringSize = 1024;
inline constexpr std::size_t kVariableCount = 25;

// A node holds string size characters after its link: an installer allocates string size + 8
// bytes for every node, whatever the size of the link.
inline constexpr std::size_t kNodeExtraBytes = 8;
static_assert(offsetof(StackNode, text) <= kNodeExtraBytes);

// The characters a node's text may hold with its terminator: the string size, at least 1.
std::size_t textCapacity(int stringSize);

// Puts a new node with `text` on top, cut to fit the string size with its terminator. False,
// with the stack unchanged, when the heap has no node.
bool pushNode(StackNode*& top, std::string_view text, int stringSize);

// Takes the top node off and frees it; its text, read up to `limit` characters even when the
// host forgot the terminator. Nothing to take (null) gives the empty text.
std::string popNode(StackNode*& top, std::size_t limit);

} // namespace zet
