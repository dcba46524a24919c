#include "platform/posix/durable.h"

#include "platform/posix/internal.h"
#include "platform/transaction.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zet::platform::posix {

namespace {

// Links followed before giving up, the kernel's own limit for one path.
constexpr int kMaxLinkHops = 40;
struct Place {
    std::string folder;
    std::string name;
};

Place placeOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The file that `path` finally names, its symbolic links followed; nullopt for a loop.
std::optional<std::string> finalTarget(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : placeOf(path).folder + "/" + target;
    }
    return std::nullopt;
}

// True when `entry` of the folder is a temporary that this layer made for `name` and an
// interrupted call left: named so, and a regular file of this user with one link.
bool isOurLeftover(int folder, const std::string& entry, std::string_view name) {
    if (!isTemporaryName(entry, name)) return false;
    struct stat info {};
    return ::fstatat(folder, entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == ::geteuid();
}

void removeLeftovers(int folder, std::string_view name) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (dir == nullptr) {
        if (listing >= 0) ::close(listing);
        return;
    }
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (isOurLeftover(folder, entryName, name)) leftovers.push_back(entryName);
    }
    ::closedir(dir);
    for (const std::string& entry : leftovers) ::unlinkat(folder, entry.c_str(), 0);
}

// Names an unnamed file; the first way needs a privilege, the second a mounted /proc.
int linkUnnamed(int fd, int folder, const std::string& entry) {
    if (::linkat(fd, "", folder, entry.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno == EEXIST) return EEXIST;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), folder, entry.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                           : errno;
}

// Tries a few fresh names before giving up: what an earlier call left under one never blocks.
constexpr int kNameTries = 8;

// Creates a new temporary for `name` in the folder and sets `entry` to its name.
int createNamed(int folder, std::string_view name, std::string& entry) {
    int fd = -1;
    for (int attempt = 0; attempt < kNameTries && fd < 0; ++attempt) {
        entry = temporaryName(name);
        fd = ::openat(folder, entry.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW,
                      0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

// Gives a new file the owner, group and mode of the old one; false when this process may not.
bool takeIdentity(int fd, const struct stat& old) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) return false;
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

enum class Outcome { written, failed, inPlace };

// The folder refuses new files, as opposed to a failure such as a full disk.
bool refused(int error) {
    return error == EACCES || error == EPERM;
}

// Writes the whole new content, flushed, to a new temporary in the folder and sets `entry` to
// its name. An unnamed file is used where the system has them, so that a process killed while
// writing leaves nothing; it is named only once complete.
Outcome writeTemporary(int folder, std::string& entry, std::string_view name,
                       std::string_view bytes, const struct stat* old) {
    bool named = false;
    int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && !refused(errno)) {
        named = true;
        fd = createNamed(folder, name, entry);
    }
    if (fd < 0) return refused(errno) ? Outcome::inPlace : Outcome::failed;
    Descriptor file(fd);
    const auto discard = [&](Outcome outcome) {
        if (named) ::unlinkat(folder, entry.c_str(), 0);
        return outcome;
    };
    if (old != nullptr && !takeIdentity(fd, *old)) return discard(Outcome::inPlace);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) return discard(Outcome::failed);
    if (named) return Outcome::written;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameTries && error == EEXIST; ++attempt) {
        entry = temporaryName(name);
        error = linkUnnamed(fd, folder, entry);
    }
    return error == 0 ? Outcome::written : Outcome::failed;
}

// Rewrites an existing file where it stands, as the Windows profile calls do. The room for a
// longer content is claimed first, so that a full disk refuses before any byte changes.
bool rewriteInPlace(const std::string& path, std::string_view bytes) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto size = static_cast<off_t>(bytes.size());
    if (size > info.st_size) {
        const int error = ::posix_fallocate(file.get(), info.st_size, size - info.st_size);
        if (error == ENOSPC || error == EFBIG || error == EDQUOT) return false;
    }
    return writeAll(file.get(), bytes) && ::ftruncate(file.get(), size) == 0 &&
           ::fsync(file.get()) == 0;
}

} // namespace

bool replaceFileContent(const std::string& path, std::string_view bytes) {
    const auto target = finalTarget(path);
    if (!target) return false;
    const Place place = placeOf(*target);
    if (place.name.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if ((!exists && errno != ENOENT) || (exists && !S_ISREG(old.st_mode))) return false;
    Descriptor folder(::open(place.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) return false;

    std::string entry;
    // A rename would part a hard-linked file from its other names.
    const Outcome outcome =
        exists && old.st_nlink > 1
            ? Outcome::inPlace
            : writeTemporary(folder.get(), entry, place.name, bytes, exists ? &old : nullptr);
    if (outcome == Outcome::inPlace) return exists && rewriteInPlace(*target, bytes);
    if (outcome == Outcome::failed) return false;
    if (::renameat(folder.get(), entry.c_str(), folder.get(), place.name.c_str()) != 0) {
        ::unlinkat(folder.get(), entry.c_str(), 0);
        return false;
    }
    ::fsync(folder.get());
    removeLeftovers(folder.get(), place.name);
    return true;
}

void removeLeftoversBeside(const std::string& path) {
    const Place place = placeOf(path);
    Descriptor folder(::open(place.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) removeLeftovers(folder.get(), place.name);
}

} // namespace zet::platform::posix
