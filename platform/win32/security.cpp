#include "platform/win32/syschar.h"

#include "platform/system.h"

#include <aclapi.h>

namespace zet::platform {

ObjectHandle sys::openForAccessChange(const std::string& path, bool folder) {
    // Only what reading and writing the access list takes: no sharing mode refuses these rights,
    // so a folder that is some program's current folder (the installer's own output folder)
    // or a file another program holds open can still be granted.
    constexpr DWORD kAccess = READ_CONTROL | WRITE_DAC;
    constexpr DWORD kSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const DWORD flags =
        folder ? FILE_FLAG_BACKUP_SEMANTICS | FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_NORMAL;
    const auto name = win32::sysPath(path);
    if (!name) return kNoObject;
    const HANDLE object = win32::openHandle(*name, kAccess, kSharing, OPEN_EXISTING, flags);
    return object == INVALID_HANDLE_VALUE ? kNoObject : reinterpret_cast<ObjectHandle>(object);
}

void sys::closeObject(ObjectHandle object) {
    CloseHandle(reinterpret_cast<HANDLE>(object));
}

AccessOutcome sys::addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                       std::uint32_t accessMode, std::uint32_t inheritance,
                                       bool refuseWrite) {
    const HANDLE handle = reinterpret_cast<HANDLE>(object);

    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL oldDacl = nullptr; // lies inside the descriptor
    PACL newAcl = nullptr;
    PSID world = nullptr;
    AccessOutcome outcome;

    DWORD code = GetSecurityInfo(handle, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                 nullptr, &oldDacl, nullptr, &descriptor);
    if (code != ERROR_SUCCESS) {
        outcome = {AccessStep::readAccess, code};
    } else {
        SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
        EXPLICIT_ACCESS entry{};
        entry.grfAccessPermissions = permissions;
        entry.grfAccessMode = static_cast<ACCESS_MODE>(accessMode);
        entry.grfInheritance = inheritance;
        entry.Trustee.pMultipleTrustee = nullptr;
        entry.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
        entry.Trustee.TrusteeType = TRUSTEE_IS_UNKNOWN;
        // Without the SID the group is named instead; that is no failure.
        TCHAR everyone[] = TEXT("Everyone");
        if (AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                     &world)) {
            entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
            entry.Trustee.ptstrName = static_cast<LPTSTR>(world);
        } else {
            entry.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
            entry.Trustee.ptstrName = everyone;
        }
        code = SetEntriesInAcl(1, &entry, oldDacl, &newAcl);
        if (code != ERROR_SUCCESS) {
            outcome = {AccessStep::mergeEntry, code};
        } else {
            code = refuseWrite ? ERROR_ACCESS_DENIED
                               : SetSecurityInfo(handle, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                                 nullptr, nullptr, newAcl, nullptr);
            if (code != ERROR_SUCCESS) outcome = {AccessStep::writeAccess, code};
        }
    }

    if (descriptor != nullptr) LocalFree(descriptor);
    if (newAcl != nullptr) LocalFree(newAcl);
    if (world != nullptr) FreeSid(world);
    return outcome;
}

} // namespace zet::platform
