#include "platform/files.h"

#include "platform/faults.h"
#include "platform/posix/internal.h"
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

// Appends as much of `piece` as the limit allows; false once the text is full.
bool deliver(std::string& text, std::string_view piece, std::size_t limit) {
    text.append(piece.substr(0, limit - text.size()));
    return text.size() < limit;
}

// Appends a chunk as text mode delivers it: CR LF as LF, a lone CR kept, Ctrl-Z ends the text.
// Copies the stretches between CRs whole rather than character by character. A CR that ends
// the chunk waits in `pendingCr` for the next chunk's first character. False once the text is
// complete (Ctrl-Z or the limit).
bool deliverTextMode(std::string& text, std::string_view chunk, bool& pendingCr,
                     std::size_t limit) {
    if (pendingCr) {
        pendingCr = false;
        if (chunk.front() != '\n' && !deliver(text, "\r", limit)) return false;
    }
    const std::size_t ctrlZ = chunk.find(kTextModeEnd);
    chunk = chunk.substr(0, ctrlZ);
    for (;;) {
        const std::size_t cr = chunk.find('\r');
        if (cr == std::string_view::npos)
            return deliver(text, chunk, limit) && ctrlZ == std::string_view::npos;
        if (cr + 1 == chunk.size() && ctrlZ == std::string_view::npos) {
            pendingCr = true;
            return deliver(text, chunk.substr(0, cr), limit);
        }
        // A lone CR stays; one before LF is dropped, and the LF starts the next stretch.
        const bool lone = cr + 1 == chunk.size() || chunk[cr + 1] != '\n';
        if (!deliver(text, chunk.substr(0, lone ? cr + 1 : cr), limit)) return false;
        chunk.remove_prefix(cr + 1);
    }
}

} // namespace

std::optional<std::string> sys::readTextFile(const std::string& path, std::size_t limit) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_RDONLY, 0, size));
    if (file.get() < 0) return std::nullopt;
    if (faults::shouldFail(faults::Point::readTextFile)) return std::string();

    std::string text;
    if (size > 0) text.reserve(std::min(limit, static_cast<std::size_t>(size)));
    // Large chunks: a catalogue arrives in one read, and system calls are the dearest part.
    constexpr std::size_t kChunk = 65536;
    std::string chunk(kChunk, '\0');
    bool pendingCr = false; // a CR at the end of a chunk, waiting to see if LF follows
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (!deliverTextMode(text, std::string_view(chunk.data(), static_cast<std::size_t>(got)),
                             pendingCr, limit))
            return text;
    }
    if (pendingCr) deliver(text, "\r", limit);
    return text;
}

std::optional<std::string> sys::readFileBytes(const std::string& path) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_RDONLY, 0, size));
    if (file.get() < 0) return std::nullopt;
    std::string bytes;
    constexpr std::size_t kChunk = 65536;
    std::string chunk(kChunk, '\0');
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return bytes;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

bool sys::appendTextFile(const std::string& path, std::string_view text) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_WRONLY | O_APPEND | O_CREAT, 0666, size));
    if (file.get() < 0) return false;
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    return posix::writeAll(file.get(), bytes);
}

} // namespace zet::platform
