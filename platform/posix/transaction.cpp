#include "platform/transaction.h"
#include "platform/posix/durable.h"
#include "platform/posix/internal.h"
#include "platform/system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zet::platform {

namespace {

// Fresh names tried before giving up, so that what an earlier call left never blocks.
constexpr int kNameTries = 8;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return path.substr(0, slash + 1);
}

// The bytes of an existing file that this process may replace; "" for a missing one.
std::optional<std::string> replaceableBytes(const std::string& path, bool& existed) {
    posix::Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    existed = file.get() >= 0;
    if (!existed) return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(path.c_str(), W_OK) != 0)
        return std::nullopt;
    return posix::readAll(file.get(), static_cast<std::size_t>(info.st_size));
}

} // namespace

// The owner goes with the content when the copy is put in place (see replaceFileContent), which
// writes in place where it cannot.
std::optional<std::string> sys::makeWorkingCopy(const std::string& path, bool& existed,
                                                bool refuseOwner) {
    const auto bytes = replaceableBytes(path, existed);
    if (refuseOwner && existed) return std::nullopt;
    if (!bytes) return std::nullopt;
    const std::string folder = folderOf(path);
    const std::string name = path.substr(folder.size());
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string working = folder + temporaryName(name);
        posix::Descriptor file(
            ::open(working.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (file.get() < 0 && errno == EEXIST) continue;
        if (file.get() < 0) return std::nullopt;
        if (posix::writeAll(file.get(), *bytes)) return working;
        ::unlink(working.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

bool sys::putInPlace(const std::string& path, const std::string& working) {
    posix::Descriptor file(::open(working.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) return false;
    const auto bytes = posix::readAll(file.get(), static_cast<std::size_t>(info.st_size));
    if (!bytes || !posix::replaceFileContent(path, *bytes)) return false;
    ::unlink(working.c_str());
    return true;
}

void sys::removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

void sys::removeLeftovers(const std::string& path) {
    posix::removeLeftoversBeside(path);
}

void sys::forgetLastFailure() {
    errno = 0;
}

bool sys::lastFailureWasNoSpace() {
    return errno == ENOSPC || errno == EDQUOT;
}

} // namespace zet::platform
