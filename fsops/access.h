// Giving everyone full access to one file or folder.
#pragma once

#include "platform/security.h"

#include <cstdint>
#include <string>

namespace zet::fsops {

// Every standard right and all object-specific rights (STANDARD_RIGHTS_ALL | SPECIFIC_RIGHTS_ALL).
inline constexpr std::uint32_t kFullAccess = 0x001FFFFF;

// The line printed when a step of the access change fails: "GetSecurityInfo Error 5\n".
std::string accessDiagnostic(platform::AccessStep step, std::uint32_t code);

// Adds an entry allowing everyone `permissions` to the open object's access list, printing the
// failed step's line on standard output. 0, or the failed step's code; 87 for no object.
std::uint32_t grantWorldAccess(platform::ObjectHandle object, std::uint32_t permissions,
                               std::uint32_t accessMode, std::uint32_t inheritance);

} // namespace zet::fsops
