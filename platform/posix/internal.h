// What the POSIX implementations share: an owned descriptor, whole reads and whole writes.
#pragma once

#include <cerrno>
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

// Reads to the end of the file, going on after interruptions; nullopt on any error. The bytes
// are read straight into the result, with room for `sizeHint` (the file's size) and one byte
// more, so that a file of that size takes one allocation and the read that finds its end.
inline std::optional<std::string> readAll(int fd, std::size_t sizeHint) {
    std::string bytes(sizeHint + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(got + 65536);
        const ssize_t read = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return std::nullopt;
        if (read == 0) break;
        got += static_cast<std::size_t>(read);
    }
    bytes.resize(got);
    return bytes;
}

} // namespace zet::platform::posix
