#include "platform/files.h"

#include "platform/posix/internal.h"
#include "platform/posix/utf16.h"
#include "platform/system.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zet::platform {

namespace {

// Opens a regular file (never a folder, which the Windows runtime refuses too); `size` receives
// its length.
int openFile(const std::string& path, int flags, mode_t mode, off_t& size) {
    // Non-blocking, so that a FIFO or a device never holds the installer up; only a regular
    // file is taken.
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = info.st_size;
    return fd;
}

} // namespace

sys::Reading sys::readFileInto(const std::string& path, std::size_t most, std::string& bytes) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_RDONLY, 0, size));
    if (file.get() < 0) return Reading::notOpened;
    return posix::readUpTo(file.get(), static_cast<std::size_t>(std::max<off_t>(size, 0)), most,
                           bytes)
               ? Reading::whole
               : Reading::cut;
}

bool sys::fileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool sys::appendFileBytes(const std::string& path, std::string_view bytes) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_WRONLY | O_APPEND | O_CREAT, 0666, size));
    return file.get() >= 0 && posix::writeAll(file.get(), bytes);
}

bool sys::writeFileBytes(const std::string& path, std::string_view bytes) {
    // A file without any write bit is read-only, also to root, as for the file time.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) return false;
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_WRONLY | O_CREAT, 0666, size));
    return file.get() >= 0 && ::ftruncate(file.get(), 0) == 0 && posix::writeAll(file.get(), bytes);
}

void sys::printText(std::string_view text) {
    posix::writeAll(STDOUT_FILENO, text);
}

std::string sys::utf16FromAnsi(std::string_view text) {
    return posix::encodeUtf16File(posix::ansiToUtf8(text)).substr(kUtf16Mark.size());
}

} // namespace zet::platform
