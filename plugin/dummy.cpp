#include "plugin/dummy.h"

#include "plugin/frame.h"

namespace zet {

void dummy() {
    StackNode** top = pluginContext().stackTop;
    for (int i = 0; i < 4 && top != nullptr && *top != nullptr; ++i) popString();
}

} // namespace zet
