#include "platform/ini.h"

#include "platform/faults.h"
#include "platform/system.h"
#include "platform/transaction.h"

namespace zet::platform {

std::string readIniString(const std::string& path, std::string_view section, std::string_view key) {
    if (faults::shouldFail(faults::Point::readIni) || !validPath(path)) return {};
    return sys::readIniString(routed(path), section, key);
}

bool writeIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    if (faults::shouldFail(faults::Point::writeIni) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    return noteOutcome(target, sys::writeIniString(target, section, key, value));
}

namespace {

bool& sessionOpen() {
    static bool open = false;
    return open;
}

} // namespace

IniSession::IniSession() : outer_(!sessionOpen()) {
    if (!outer_) return;
    sys::openIniSession();
    sessionOpen() = true;
}

IniSession::~IniSession() {
    if (outer_) dropOpenIniSession();
}

void dropOpenIniSession() {
    if (!sessionOpen()) return;
    sys::closeIniSession();
    sessionOpen() = false;
}

bool IniSession::commit() {
    return !outer_ || sys::commitIniSession();
}

} // namespace zet::platform
