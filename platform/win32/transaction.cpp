#include "platform/win32/syschar.h"

#include <aclapi.h>

#include "platform/system.h"
#include "platform/text.h"
#include "platform/transaction.h"

#include <cstdio>

namespace zet::platform {

namespace {

// Fresh names tried before giving up, so that what an earlier call left never blocks.
constexpr int kNameTries = 8;

// Where a path's file name starts: after its last separator.
std::size_t nameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? 0 : separator + 1;
}

// Gives the copy the access list of the file it replaces (a grant to everyone among others),
// which a rename would otherwise lose. Nothing to take where the file has none (a missing file,
// a file system without access lists); false when the copy cannot be given it.
bool takeAccessList(const win32::SysString& file, const win32::SysString& copy) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfo(file.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                             nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS)
        return true;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION protection = (control & SE_DACL_PROTECTED) != 0
                                                ? PROTECTED_DACL_SECURITY_INFORMATION
                                                : UNPROTECTED_DACL_SECURITY_INFORMATION;
    const bool taken = SetNamedSecurityInfo(const_cast<TCHAR*>(copy.c_str()), SE_FILE_OBJECT,
                                            DACL_SECURITY_INFORMATION | protection, nullptr,
                                            nullptr, list, nullptr) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return taken;
}

// Gives the copy the owner of the file it stands for, which a new file would otherwise take from
// the installer's user (the Administrators group when elevated), and with it what inheritable
// CREATOR OWNER entries grant. False where the file's owner cannot be read or given; true where
// the system keeps no owner.
bool takeOwner(const win32::SysString& file, const win32::SysString& copy) {
    PSID owner = nullptr;
    PSID copyOwner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PSECURITY_DESCRIPTOR copyDescriptor = nullptr;
    const DWORD read =
        GetNamedSecurityInfo(file.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                             nullptr, nullptr, nullptr, &descriptor);
    if (read == ERROR_NOT_SUPPORTED) return true;
    bool taken =
        read == ERROR_SUCCESS && owner != nullptr &&
        GetNamedSecurityInfo(copy.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &copyOwner,
                             nullptr, nullptr, nullptr, &copyDescriptor) == ERROR_SUCCESS;
    if (taken && (copyOwner == nullptr || !EqualSid(owner, copyOwner)))
        taken = SetNamedSecurityInfo(const_cast<TCHAR*>(copy.c_str()), SE_FILE_OBJECT,
                                     OWNER_SECURITY_INFORMATION, owner, nullptr, nullptr,
                                     nullptr) == ERROR_SUCCESS;
    if (descriptor != nullptr) LocalFree(descriptor);
    if (copyDescriptor != nullptr) LocalFree(copyDescriptor);
    return taken;
}

// A file with other names (hard links): a replacement would part it from them.
bool hasOtherNames(const win32::SysString& path) {
    const HANDLE file = win32::openHandle(
        path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return true;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    return !known || information.nNumberOfLinks > 1;
}

// A new file at `working`: a copy of `source`, or empty when there is none.
bool createCopy(const win32::SysString* source, const win32::SysString& working) {
    if (source != nullptr) return CopyFile(source->c_str(), working.c_str(), TRUE) != 0;
    const HANDLE file = win32::openHandle(working, GENERIC_WRITE, 0, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool flush(const win32::SysString& path) {
    const HANDLE file = win32::openHandle(path, GENERIC_WRITE, 0, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

// What follows the file's name in a directory entry that starts with it, in the plug-in's path
// text, when it is plain ASCII (as every temporary's is); empty otherwise.
std::string asciiTail(std::basic_string_view<TCHAR> entry, const win32::SysString& sysName) {
    if (!entry.starts_with(sysName)) return {};
    std::string tail;
    for (const TCHAR c : entry.substr(sysName.size())) {
        if (static_cast<unsigned>(c) > 0x7F) return {};
        tail += static_cast<char>(c);
    }
    return tail;
}

} // namespace

std::optional<std::string> sys::makeWorkingCopy(const std::string& path, bool& existed,
                                                bool refuseOwner) {
    const auto file = win32::sysPath(path);
    if (!file) return std::nullopt;
    const DWORD attributes = GetFileAttributes(file->c_str());
    const bool present = attributes != INVALID_FILE_ATTRIBUTES;
    existed = present;
    if (!present && GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (present && ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0 ||
                    hasOtherNames(*file)))
        return std::nullopt;
    const std::size_t start = nameStart(path);
    const std::string name = path.substr(start);
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string working = path.substr(0, start) + temporaryName(name);
        const auto copy = win32::sysPath(working);
        if (!copy) return std::nullopt;
        if (createCopy(present ? &*file : nullptr, *copy)) {
            // A copy that cannot be owned as the file is would take the file from its owner.
            if (!present || (!refuseOwner && takeOwner(*file, *copy))) return working;
            DeleteFile(copy->c_str());
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

bool sys::putInPlace(const std::string& path, const std::string& working) {
    const auto target = win32::sysPath(path);
    const auto copy = win32::sysPath(working);
    if (!target || !copy || !flush(*copy) || !takeAccessList(*target, *copy)) return false;
    // One rename, so that the file is never missing; it fails while another program holds the
    // file open without sharing its deletion.
    return MoveFileEx(copy->c_str(), target->c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void sys::removeFile(const std::string& path) {
    if (const auto file = win32::sysPath(path)) DeleteFile(file->c_str());
}

bool sys::lastFailureWasNoSpace() {
    const DWORD error = GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

void sys::forgetLastFailure() {
    SetLastError(ERROR_SUCCESS);
}

void sys::removeLeftovers(const std::string& path) {
    const std::string name = path.substr(nameStart(path));
    const auto sysName = win32::sysPath(name);
    std::string leftovers = path;
    (leftovers += kTemporaryMark) += '*';
    const auto pattern = win32::sysPath(leftovers);
    if (!sysName || !pattern) return;
    WIN32_FIND_DATA found;
    const HANDLE search = FindFirstFile(pattern->c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string tail = asciiTail(found.cFileName, *sysName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !tail.empty() &&
            isTemporaryName(name + tail, name))
            removeFile(path + tail);
    } while (FindNextFile(search, &found) != 0);
    FindClose(search);
}

} // namespace zet::platform
