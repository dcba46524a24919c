#include "platform/security.h"

#include "platform/posix/internal.h"
#include "platform/system.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace zet::platform {

namespace {

// The Win32 file rights that stand for read, write and execute in a mode.
constexpr std::uint32_t kReadData = 0x0001;  // FILE_READ_DATA, FILE_LIST_DIRECTORY
constexpr std::uint32_t kWriteData = 0x0002; // FILE_WRITE_DATA, FILE_ADD_FILE
constexpr std::uint32_t kExecute = 0x0020;   // FILE_EXECUTE, FILE_TRAVERSE
constexpr std::uint32_t kSetAccess = 2;      // SET_ACCESS adds like GRANT_ACCESS here

// Only the owner and root may change a mode, whatever the mode is, as only the owner and an
// administrator may change a Windows access list, whatever the file's attributes.
bool mayChangeAccess(const struct stat& info) {
    const uid_t caller = ::geteuid();
    return caller == 0 || caller == info.st_uid;
}

// The object a path names, split so that it can be opened without following a symbolic link
// at its end: the folder that holds it, and its name there. Trailing "/" and "/." are taken off
// as the Win32 path rules take them off; a path whose last character is "/" names a folder.
struct PathEnd {
    std::string parent;
    std::string name;
    bool mustBeFolder = false;
};

std::optional<PathEnd> splitPathEnd(std::string_view path) {
    PathEnd end;
    end.mustBeFolder = path.size() > 1 && path.back() == '/';
    for (;;) {
        if (path.size() > 1 && path.back() == '/') {
            path.remove_suffix(1);
        } else if (path.size() > 1 && path.ends_with("/.")) {
            path.remove_suffix(2);
        } else {
            break;
        }
    }
    // The root, and the current folder, are no link.
    if (path == "/" || path == ".") return PathEnd{std::string(path), ".", true};
    const std::size_t slash = path.rfind('/');
    end.parent = slash == std::string_view::npos ? "." : std::string(path.substr(0, slash + 1));
    end.name = path.substr(slash + 1);
    // ".." would lead out of the object named before it, a link's target perhaps.
    if (end.name == "..") return std::nullopt;
    return end;
}

} // namespace

ObjectHandle sys::openForAccessChange(const std::string& path, bool folder) {
    const std::optional<PathEnd> end = splitPathEnd(path);
    if (!end) return kNoObject;
    const posix::Descriptor parent(
        ::open(end->parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (parent.get() < 0) return kNoObject;

    // Only files and folders: opening a device or a FIFO could have effects of its own.
    struct stat before {};
    if (::fstatat(parent.get(), end->name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0)
        return kNoObject;
    const bool isFolder = S_ISDIR(before.st_mode);
    if (!(S_ISREG(before.st_mode) || (isFolder && folder)) || (end->mustBeFolder && !isFolder))
        return kNoObject;

    // No symbolic link is followed at the end of the path, whatever ends it: a link planted
    // there must not make an installer running as root open up a file or folder elsewhere.
    // Read access only, as the Win32 open asks for no write access: a read-only file or folder
    // of the caller's is granted too (one its owner may not even read stays as it is).
    const int access = isFolder ? O_RDONLY | O_DIRECTORY : O_RDONLY;
    posix::Descriptor object(::openat(parent.get(), end->name.c_str(),
                                      access | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (object.get() < 0) return kNoObject;
    struct stat info {};
    if (::fstat(object.get(), &info) != 0 || (info.st_mode & S_IFMT) != (before.st_mode & S_IFMT) ||
        !mayChangeAccess(info))
        return kNoObject;
    return object.release();
}

void sys::closeObject(ObjectHandle object) {
    ::close(static_cast<int>(object));
}

AccessOutcome sys::addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                       std::uint32_t accessMode, std::uint32_t /*inheritance*/,
                                       bool refuseWrite) {
    // A mode is never inherited, so the inheritance flags have nothing to act on.
    const int fd = static_cast<int>(object);
    struct stat info {};
    if (::fstat(fd, &info) != 0) return {AccessStep::readAccess, static_cast<std::uint32_t>(errno)};
    // A mode can only add here; denying or revoking would take access away from others.
    if (accessMode != kGrantAccess && accessMode != kSetAccess)
        return {AccessStep::mergeEntry, kInvalidParameter};
    mode_t added = 0;
    if (permissions & kReadData) added |= 0444;
    if (permissions & kWriteData) added |= 0222;
    if (permissions & kExecute) added |= 0111;
    if (refuseWrite) return {AccessStep::writeAccess, EPERM};
    if (::fchmod(fd, (info.st_mode & 07777) | added) != 0)
        return {AccessStep::writeAccess, static_cast<std::uint32_t>(errno)};
    return {};
}

} // namespace zet::platform
