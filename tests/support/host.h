// A host for the exports in tests: a real string stack, built and freed as an installer does.
// Its texts are the stack's bytes in the 8-bit builds and UTF-8 in the Unicode ones, converted
// to and from UTF-16 at the node, so that one test tree serves every build.
#pragma once

#include "plugin/hoststack.h"

#include <string>
#include <string_view>
#include <vector>

extern "C" {
#define ZET_DECLARE_EXPORT(name) void name(void*, int, zet::StackChar*, zet::StackNode**);
ZET_DECLARE_EXPORT(loadDicInfo)
ZET_DECLARE_EXPORT(dicInfo)
ZET_DECLARE_EXPORT(dicFiles)
ZET_DECLARE_EXPORT(updateDuvEvoCfg)
ZET_DECLARE_EXPORT(removeFromDuvEvoCfg)
ZET_DECLARE_EXPORT(giveAllPermissions)
ZET_DECLARE_EXPORT(exploreFolder)
ZET_DECLARE_EXPORT(executeFile)
ZET_DECLARE_EXPORT(setFileModificationTime)
ZET_DECLARE_EXPORT(dummy)
#undef ZET_DECLARE_EXPORT
}

namespace zettest {

using zet::ExportFunction;

class Host {
  public:
    Host() = default;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    ~Host();

    // Pushes one value, as a script's Push does.
    Host& push(std::string_view text);

    // Pushes the arguments of `zetdll::EXPORT a b c`: the first one ends on top.
    Host& args(std::initializer_list<std::string_view> arguments);

    // Calls an export with this stack (or with none).
    void call(ExportFunction function, int stringSize = zet::kDefaultStringSize);
    void callWithoutStack(ExportFunction function, int stringSize = zet::kDefaultStringSize);

    std::string pop();

    // The whole stack, top first.
    std::vector<std::string> stack() const;

    zet::StackNode* top = nullptr;
    int stringSize = zet::kDefaultStringSize;
};

} // namespace zettest
