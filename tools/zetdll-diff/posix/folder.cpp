#include "tools/zetdll-diff/folder.h"

#include <ctime>
#include <dlfcn.h>
#include <sys/stat.h>

namespace zetdiff {

namespace {

// Seconds from 1601 to 1970.
constexpr std::uint64_t kUnixEpoch = 11644473600ull;

std::uint64_t fileTime(const timespec& time) {
    return (static_cast<std::uint64_t>(time.tv_sec) + kUnixEpoch) * 10'000'000ull +
           static_cast<std::uint64_t>(time.tv_nsec) / 100u;
}

} // namespace

const char kSeparator = '/';

std::optional<std::uint64_t> writeTime(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return fileTime(info.st_mtim);
}

std::uint64_t now() {
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return fileTime(time);
}

void unloadPlugin(void* plugin) {
    ::dlclose(plugin);
}

} // namespace zetdiff
