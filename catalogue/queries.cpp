#include "catalogue/queries.h"

#include "plugin/frame.h"

namespace zet::catalogue {

void loadDicInfo() {
    popString();
    pushString("failed");
}

void dicInfo() {
    popString();
    popString();
    popString();
    pushString("0");
    pushString("");
}

void dicFiles() {
    dicInfo();
}

} // namespace zet::catalogue
