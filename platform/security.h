// Changing who may access a file or folder: open the object, add an entry that allows everyone
// access to it alone, close it.
#pragma once

#include <cstdint>
#include <string>

namespace zet::platform {

// An open file-system object: a Win32 handle, or a descriptor elsewhere.
using ObjectHandle = std::intptr_t;
inline constexpr ObjectHandle kNoObject = -1;

// Opens an existing object for reading, writing and changing its access; never creates one.
// Without `folder` only a file opens; with it a folder or a file. kNoObject when the object
// cannot be opened so: absent, a folder without `folder`, a read-only file, a caller without
// the rights, an empty path. Elsewhere than on Windows a symbolic link at the end of the path
// is not followed, whatever ends it ("/", "/."), and a path that ends in ".." is refused.
ObjectHandle openForAccessChange(const std::string& path, bool folder);

// Closes an object that openForAccessChange opened; kNoObject is ignored.
void closeObject(ObjectHandle object);

// The step of the access change that failed, named after the Win32 call that does it.
enum class AccessStep { none, readAccess, mergeEntry, writeAccess };

// The Win32 code for an argument a call cannot take (ERROR_INVALID_PARAMETER): no object, or an
// access mode the system cannot apply.
inline constexpr std::uint32_t kInvalidParameter = 87;

// `failed` is none both on success and when nothing could be tried (no object: kInvalidParameter).
struct AccessOutcome {
    AccessStep failed = AccessStep::none;
    std::uint32_t code = 0; // a Win32 error code, or errno elsewhere; 0 on success
};

// Win32 ACCESS_MODE and inheritance values as the access change takes them.
inline constexpr std::uint32_t kGrantAccess = 1;
inline constexpr std::uint32_t kNoInheritance = 0;

// Merges one entry allowing the world `permissions` (a Win32 access mask) into the object's own
// access list, keeping every other entry. Elsewhere the mask's read, write and execute rights
// are added to the object's mode for user, group and others; nothing is ever taken away.
AccessOutcome addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                  std::uint32_t accessMode, std::uint32_t inheritance);

} // namespace zet::platform
