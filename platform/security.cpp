#include "platform/security.h"

#include "platform/faults.h"
#include "platform/system.h"

namespace zet::platform {

namespace {

constexpr std::uint32_t kInvalidParameter = 87; // ERROR_INVALID_PARAMETER

} // namespace

ObjectHandle openForAccessChange(const std::string& path, bool folder) {
    if (faults::shouldFail(faults::Point::openForAccess) || !validPath(path)) return kNoObject;
    return sys::openForAccessChange(path, folder);
}

AccessOutcome addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                  std::uint32_t accessMode, std::uint32_t inheritance) {
    if (object == kNoObject) return {AccessStep::none, kInvalidParameter};
    return sys::addWorldAccessEntry(object, permissions, accessMode, inheritance);
}

} // namespace zet::platform
