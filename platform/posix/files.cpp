#include "platform/files.h"

#include "platform/posix/internal.h"
#include "platform/posix/utf16.h"
#include "platform/system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

// Text mode in place: turns the raw bytes text[from, end) into what text mode delivers (CR LF
// as LF, a lone CR kept, Ctrl-Z ends the text), written from `from` on; returns where the
// delivered text ends. A CR as the last byte is left raw when `more` bytes may follow, since
// only they show whether it ends a CR LF; `pending` says so. `ended` is set at a Ctrl-Z.
std::size_t toTextMode(std::string& text, std::size_t from, std::size_t end, bool more,
                       bool& pending, bool& ended) {
    char* const bytes = text.data();
    const std::string_view raw(bytes, end);
    const std::size_t ctrlZ = raw.find(kTextModeEnd, from);
    ended = ctrlZ != std::string_view::npos;
    if (ended) end = ctrlZ;
    std::size_t out = from;
    std::size_t at = from;
    pending = false;
    while (at < end) {
        const std::size_t cr = std::min(raw.substr(0, end).find('\r', at), end);
        std::memmove(bytes + out, bytes + at, cr - at);
        out += cr - at;
        if (cr == end) break;
        if (cr + 1 == end && more && !ended) {
            pending = true;
            bytes[out] = '\r';
            break;
        }
        // A lone CR stays; one before LF is dropped, and the LF starts the next stretch.
        const bool lone = cr + 1 == end || bytes[cr + 1] != '\n';
        if (lone) bytes[out++] = '\r';
        at = cr + 1;
    }
    return out;
}

} // namespace

bool sys::readTextFile(const std::string& path, std::size_t limit, std::string& text) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_RDONLY, 0, size));
    if (file.get() < 0) return false;

    // The bytes are read straight into the text and made text mode there, which only ever
    // shortens them: a catalogue arrives in one read, and a copy would cost as much as the
    // read. Room for one byte more than the file lets the read that finds its end need no more.
    // What `text` held is overwritten, not cleared first, so that its memory is not filled.
    constexpr std::size_t kChunk = 65536;
    text.resize(std::min(limit, static_cast<std::size_t>(std::max<off_t>(size, 0))) + 1);
    std::size_t kept = 0; // the text-mode characters so far
    bool pending = false; // a raw CR after them, waiting to see if LF follows
    for (bool ended = false; !ended && kept < limit;) {
        const std::size_t from = kept + (pending ? 1 : 0);
        if (from == text.size()) text.resize(from + kChunk);
        const ssize_t got = ::read(file.get(), text.data() + from, text.size() - from);
        if (got < 0 && errno == EINTR) continue;
        const bool more = got > 0;
        const std::size_t end = from + (more ? static_cast<std::size_t>(got) : 0);
        kept = toTextMode(text, kept, end, more, pending, ended);
        if (!more) break;
    }
    text.resize(std::min(kept, limit));
    return true;
}

std::optional<std::string> sys::readFileBytes(const std::string& path) {
    off_t size = 0;
    posix::Descriptor file(openFile(path, O_RDONLY, 0, size));
    if (file.get() < 0) return std::nullopt;
    return posix::readAll(file.get(), static_cast<std::size_t>(std::max<off_t>(size, 0)));
}

bool sys::fileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
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

std::string sys::utf16FromAnsi(std::string_view text) {
    return posix::encodeUtf16File(posix::ansiToUtf8(text)).substr(kUtf16Mark.size());
}

} // namespace zet::platform
