// What the POSIX implementations share: an owned descriptor, whole reads and whole writes.
#pragma once

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace zet::platform::posix {

// An open descriptor, closed at the end of its scope unless released.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// Writes all of `bytes`, going on after interruptions; false on any error.
inline bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads at most `most` bytes, to the end of the file, going on after interruptions, into `bytes`;
// false on an error, `bytes` then holding what came before it. The bytes are read straight into
// `bytes`, overwriting what it held (its memory is not filled first), with room for `sizeHint`
// (the file's size) and one byte more, so that a file of that size takes one allocation and the
// read that finds its end.
inline bool readUpTo(int fd, std::size_t sizeHint, std::size_t most, std::string& bytes) {
    bytes.resize(std::min(sizeHint + 1, most));
    std::size_t got = 0;
    bool whole = true;
    while (got < most) {
        if (got == bytes.size()) bytes.resize(got + std::min<std::size_t>(65536, most - got));
        const ssize_t read = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (read < 0 && errno == EINTR) continue;
        whole = read >= 0;
        if (read <= 0) break;
        got += static_cast<std::size_t>(read);
    }
    bytes.resize(got);
    return whole;
}

// Reads to the end of the file; nullopt on any error.
inline std::optional<std::string> readAll(int fd, std::size_t sizeHint) {
    std::string bytes;
    if (!readUpTo(fd, sizeHint, std::numeric_limits<std::size_t>::max(), bytes))
        return std::nullopt;
    return bytes;
}

} // namespace zet::platform::posix
