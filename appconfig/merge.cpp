#include "appconfig/merge.h"

#include "plugin/frame.h"

namespace zet::appconfig {

void updateDuvEvoCfg() {
    popString();
    popString();
    pushString("ok");
}

} // namespace zet::appconfig
