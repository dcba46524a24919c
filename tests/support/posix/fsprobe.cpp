#include "tests/support/fsprobe.h"

#include "platform/faults.h"
#include "tests/support/files.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zettest {

namespace {

constexpr std::int64_t kEpochDistance = 11644473600;
constexpr std::uint64_t kTicksPerSecond = 10000000;

std::uint64_t toFileTime(const timespec& time) {
    return static_cast<std::uint64_t>(time.tv_sec + kEpochDistance) * kTicksPerSecond +
           static_cast<std::uint64_t>(time.tv_nsec) / 100;
}

timespec toTimespec(std::uint64_t fileTime) {
    return {
        static_cast<time_t>(static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kEpochDistance),
        static_cast<long>(fileTime % kTicksPerSecond) * 100};
}

} // namespace

std::optional<FileTimes> fileTimes(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileTimes{0, toFileTime(info.st_atim), toFileTime(info.st_mtim)};
}

bool setFileTimes(const std::string& path, std::uint64_t access, std::uint64_t write) {
    const std::array<timespec, 2> times{toTimespec(access), toTimespec(write)};
    return ::utimensat(AT_FDCWD, path.c_str(), times.data(), 0) == 0;
}

bool setReadOnly(const std::string& path, bool readOnly) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    const mode_t mode = readOnly ? info.st_mode & ~0222 : info.st_mode | 0200;
    return ::chmod(path.c_str(), mode & 07777) == 0;
}

AccessProbe probeAccess(const std::string& path) {
    AccessProbe probe;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return probe;
    probe.worldFullAccess = (info.st_mode & 0777) == 0777;
    probe.otherEntries = {"group " + std::to_string(info.st_gid),
                          "owner " + std::to_string(info.st_uid),
                          "special " + std::to_string(info.st_mode & 07000)};
    return probe;
}

zet::platform::ObjectHandle openWithoutAccessChange(const std::string& path) {
    // A path-only descriptor can be examined but not changed: fchmod on it fails.
    const int fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    return fd < 0 ? zet::platform::kNoObject : fd;
}

std::optional<bool> runUnprivileged(const std::function<bool()>& body) {
    if (::geteuid() != 0) return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        constexpr gid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ShellTrace prepareShellTrace(const std::filesystem::path& folder, const std::string& target,
                             int lingerSeconds) {
    const std::filesystem::path bin = folder / "bin";
    std::filesystem::create_directories(bin);
    ShellTrace trace{target, target + "\n", folder / "trace"};
    const std::string traceFile = trace.traceFile.string();
    writeFile(bin / "xdg-open", "#!/bin/sh\necho noise\necho noise >&2\n"
                                "printf '%s\\n' \"$@\" > '" +
                                    traceFile + ".tmp'\nmv '" + traceFile + ".tmp' '" + traceFile +
                                    "'\nsleep " + std::to_string(lingerSeconds) + "\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    ::setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
    return trace;
}

bool hasZombieChild() {
    siginfo_t info{};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

} // namespace zettest

namespace zettest {

bool makeRefusedLink(const std::string& target, const std::string& link) {
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

} // namespace zettest

namespace zettest {

std::optional<ShellTrace> prepareExploreTrace(const std::filesystem::path& folder,
                                              const std::string& target, int lingerSeconds) {
    return prepareShellTrace(folder, target, lingerSeconds);
}

} // namespace zettest

namespace zettest {

// The platform layer refuses such a file by its own rule, for root too.
bool readOnlyIsRefused(const std::string&) {
    return true;
}

} // namespace zettest

namespace zettest {

HeldOpen::HeldOpen(const std::string&) {
    zet::platform::faults::failNext(zet::platform::faults::Point::replaceFile, 1 << 20);
}

HeldOpen::~HeldOpen() {
    zet::platform::faults::clear(zet::platform::faults::Point::replaceFile);
}

} // namespace zettest
