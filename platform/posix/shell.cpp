#include "platform/system.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zet::platform {

namespace {

constexpr std::string_view kOpener = "xdg-open";

// The opener's full path from PATH, found before forking: the child may then call only what is
// safe after a fork in a process that may have threads. Empty PATH entries are skipped rather
// than meaning the current folder.
std::string findOpener() {
    const char* search = std::getenv("PATH");
    std::string_view rest = search != nullptr ? search : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (folder.empty()) continue;
        std::string candidate = std::string(folder) + "/" + std::string(kOpener);
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// In the launched program: its own session, default signals, standard streams on /dev/null and
// none of the installer's other descriptors, then the opener.
[[noreturn]] void becomeOpener(const std::string& program, char* const* argv) {
    ::setsid();
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        for (int stream = 0; stream <= 2; ++stream) ::dup2(null, stream);
        if (null > 2) ::close(null);
    }
    ::close_range(3, ~0u, 0);
    ::execv(program.c_str(), argv);
    ::_exit(127);
}

// Starts the opener on `path` without waiting for it: an intermediate child starts it and ends
// at once, and is reaped here, so the opener belongs to init and leaves no zombie behind.
void launchOpener(const std::string& path) {
    const std::string program = findOpener();
    if (program.empty()) return;
    std::string name(kOpener);
    std::string argument = path;
    std::vector<char*> argv{name.data(), argument.data(), nullptr};

    const pid_t child = ::fork();
    if (child < 0) return;
    if (child == 0) {
        if (::fork() == 0) becomeOpener(program, argv.data());
        ::_exit(0);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

// There is no version test to make here: the folder is always opened.
void sys::shellExplore(const std::string& folder) {
    launchOpener(folder);
}

void sys::shellOpen(const std::string& file) {
    launchOpener(file);
}

} // namespace zet::platform
