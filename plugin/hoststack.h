// The installer's string stack as the NSIS plug-in interface defines it. The plug-in, the host
// tool and the test host all build and take nodes through these few definitions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zet {

// The character of a stack text: a UTF-16 unit in the Unicode builds (NSIS targets x86-unicode
// and amd64-unicode), a byte of the ANSI code page otherwise.
#if defined(ZET_UNICODE)
using StackChar = wchar_t;
#else
using StackChar = char;
#endif
using StackText = std::basic_string<StackChar>;
using StackView = std::basic_string_view<StackChar>;

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

// A node holds string size characters after its link: an installer allocates string size
// characters + 8 bytes for every node, whatever the size of the link (8 bytes on amd64).
inline constexpr std::size_t kNodeExtraBytes = 8;
static_assert(offsetof(StackNode, text) <= kNodeExtraBytes);

// The largest string size a node is made for. NSIS builds pass 1024 or 8192; a larger value
// comes from a caller that is no installer (rundll32 passes an instance handle there). The
// bound keeps a node's size within 32 bits.
inline constexpr int kMaxStringSize = 1 << 20;
static_assert(static_cast<std::size_t>(kMaxStringSize) <=
              (SIZE_MAX - kNodeExtraBytes) / sizeof(StackChar));

// Whether a string size leaves room for a node: 1 to kMaxStringSize characters.
bool stringSizeFits(int stringSize);

// The characters a node's text may hold with its terminator: the string size, at least 1.
std::size_t textCapacity(int stringSize);

// Puts a new node with `text` on top, cut to fit the string size with its terminator. False,
// with the stack unchanged, when the string size does not fit or the heap has no node.
bool pushNode(StackNode*& top, StackView text, int stringSize);

// Takes the top node off and frees it; its text, read up to `limit` characters even when the
// host forgot the terminator. Nothing to take (null) gives the empty text.
StackText popNode(StackNode*& top, std::size_t limit);

// Takes the top value off a stack that has one, without reading it.
void dropNode(StackNode*& top);

// A node's text, read up to `limit` characters.
StackView nodeText(const StackNode& node, std::size_t limit);

// For hosts (the host tool, the test host), whose own texts are UTF-8 in the Unicode builds and
// the stack's bytes otherwise: a host text as stack text and back. A host text that is no valid
// UTF-8 becomes the empty stack text; an unpaired surrogate comes back as U+FFFD.
StackText stackFromHost(std::string_view text);
std::string hostFromStack(StackView text);

} // namespace zet
