#include "platform/system.h"

#include <array>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zet::platform {

namespace {

// Seconds from 1601-01-01 to 1970-01-01, the distance between the FILETIME and Unix epochs.
constexpr std::int64_t kEpochDistance = 11644473600;
constexpr std::uint64_t kTicksPerSecond = 10000000;
// SetFileTime takes a FILETIME as a signed 64-bit count and refuses a negative one, so a time of
// 2^63 or more leaves the file's time alone here too.
constexpr std::uint64_t kFirstRefusedTime = std::uint64_t{1} << 63;

timespec toTimespec(std::uint64_t fileTime) {
    timespec time{};
    time.tv_sec =
        static_cast<time_t>(static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kEpochDistance);
    time.tv_nsec = static_cast<long>(fileTime % kTicksPerSecond) * 100;
    return time;
}

} // namespace

std::uint64_t sys::calendarToFileTime(const CalendarTime& time) {
    using namespace std::chrono;
    const sys_days date = year{time.year} / month{static_cast<unsigned>(time.month)} /
                          day{static_cast<unsigned>(time.day)};
    const std::int64_t seconds = std::int64_t{date.time_since_epoch().count()} * 86400 +
                                 time.hour * 3600 + time.minute * 60 + time.second + kEpochDistance;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond;
}

bool sys::setFileWriteTime(const std::string& path, std::uint64_t fileTime) {
    // Only regular files: opening a device or a FIFO for writing can have effects of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    // No write bit at all stands for the read-only attribute, which even root respects here.
    const bool writable =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0;
    if (writable && fileTime != 0 && fileTime < kFirstRefusedTime) {
        const std::array<timespec, 2> times{timespec{0, UTIME_OMIT}, toTimespec(fileTime)};
        ::futimens(fd, times.data());
    }
    ::close(fd);
    return writable;
}

} // namespace zet::platform
