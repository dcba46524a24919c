#include "appconfig/merge.h"

#include "appconfig/dispatch.h"
#include "plugin/frame.h"

#include <exception>

namespace zet::appconfig {

void updateDuvEvoCfg() {
    const std::string folder = popString();
    const std::string argument = popString();
    try {
        dispatchCfgUpdate(folder, argument);
    } catch (const std::exception&) {
        // Out of memory midway: what was written stays, and the script still gets its answer.
    }
    pushString("ok");
}

} // namespace zet::appconfig
