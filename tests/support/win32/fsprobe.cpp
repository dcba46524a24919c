#include "tests/support/fsprobe.h"

#include "tests/support/files.h"

#include <windows.h>

#include <aclapi.h>
#include <algorithm>
#include <sddl.h>

namespace zettest {

namespace {

std::uint64_t join(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

FILETIME split(std::uint64_t value) {
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

HANDLE openAttributes(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Wine keeps no DACL of its own: it writes a DACL into the Unix mode and reads back one built
// from the mode, in which everyone's full access shows as this mask (with the inheritance flags
// that Wine gives every entry of a folder).
constexpr DWORD kWineFullAccess = 0x1301FF;

bool underWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string sidText(PSID sid) {
    LPSTR text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return "?";
    std::string result = text;
    LocalFree(text);
    return result;
}

} // namespace

std::optional<FileTimes> fileTimes(const std::string& path) {
    const HANDLE file = openAttributes(path, FILE_READ_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    FILETIME creation{}, access{}, write{};
    const bool ok = GetFileTime(file, &creation, &access, &write);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return FileTimes{join(creation), join(access), join(write)};
}

bool setFileTimes(const std::string& path, std::uint64_t access, std::uint64_t write) {
    const HANDLE file = openAttributes(path, FILE_WRITE_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE) return false;
    const FILETIME accessTime = split(access), writeTime = split(write);
    const bool ok = SetFileTime(file, nullptr, &accessTime, &writeTime);
    CloseHandle(file);
    return ok;
}

bool setReadOnly(const std::string& path, bool readOnly) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD changed = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                   : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
    return SetFileAttributesA(path.c_str(), changed);
}

AccessProbe probeAccess(const std::string& path) {
    AccessProbe probe;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return probe;
    if (dacl == nullptr) probe.otherEntries.push_back("no DACL");
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) continue;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        // Allowed and denied entries share their layout: header, mask, then the SID.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE)
            continue;
        const auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        const std::string sid = sidText(const_cast<DWORD*>(&entry->SidStart));
        const bool inherits = (header->AceFlags & VALID_INHERIT_FLAGS) != 0;
        if (sid == "S-1-1-0") {
            const bool allowed = header->AceType == ACCESS_ALLOWED_ACE_TYPE;
            if (allowed && ((entry->Mask == 0x1FFFFF && !inherits) ||
                            (underWine() && entry->Mask == kWineFullAccess)))
                probe.worldFullAccess = true;
            continue;
        }
        probe.otherEntries.push_back(std::to_string(header->AceType) + " " +
                                     std::to_string(header->AceFlags) + " " +
                                     std::to_string(entry->Mask) + " " + sid);
    }
    LocalFree(descriptor);
    std::sort(probe.otherEntries.begin(), probe.otherEntries.end());
    return probe;
}

zet::platform::ObjectHandle openWithoutAccessChange(const std::string& path) {
    const HANDLE object = openAttributes(path, READ_CONTROL);
    return object == INVALID_HANDLE_VALUE ? zet::platform::kNoObject
                                          : reinterpret_cast<zet::platform::ObjectHandle>(object);
}

// Not applicable: a Windows caller's rights come from its token, which cannot be dropped by
// switching to another user id.
std::optional<bool> runUnprivileged(const std::function<bool()>&) {
    return std::nullopt;
}

ShellTrace prepareShellTrace(const std::filesystem::path& folder, const std::string& target,
                             int /*lingerSeconds*/) {
    ShellTrace trace{target, "opened\r\n", folder / "trace"};
    const std::string file = trace.traceFile.string();
    writeFile(target, "@echo opened> \"" + file + ".tmp\"\r\n@move /y \"" + file + ".tmp\" \"" +
                          file + "\" >nul\r\n");
    return trace;
}

bool hasZombieChild() {
    return false;
}

} // namespace zettest

namespace zettest {

bool makeRefusedLink(const std::string&, const std::string&) {
    return false;
}

} // namespace zettest

namespace zettest {

std::optional<ShellTrace> prepareExploreTrace(const std::filesystem::path&, const std::string&,
                                              int) {
    return std::nullopt;
}

} // namespace zettest

namespace zettest {

bool readOnlyIsRefused(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    CloseHandle(file);
    return false;
}

} // namespace zettest

namespace zettest {

HeldOpen::HeldOpen(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)) {
}

HeldOpen::~HeldOpen() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

} // namespace zettest
