#include "platform/security.h"

#include "platform/faults.h"
#include "platform/system.h"

namespace zet::platform {

ObjectHandle openForAccessChange(const std::string& path, bool folder) {
    if (faults::shouldFail(faults::Point::openForAccess) || !validPath(path)) return kNoObject;
    return sys::openForAccessChange(path, folder);
}

void closeObject(ObjectHandle object) {
    if (object != kNoObject) sys::closeObject(object);
}

AccessOutcome addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                  std::uint32_t accessMode, std::uint32_t inheritance) {
    if (object == kNoObject) return {AccessStep::none, kInvalidParameter};
    const bool refuseWrite = faults::shouldFail(faults::Point::writeAccess);
    return sys::addWorldAccessEntry(object, permissions, accessMode, inheritance, refuseWrite);
}

} // namespace zet::platform
