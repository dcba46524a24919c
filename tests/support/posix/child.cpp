#include "tests/support/child.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zettest {

namespace {

constexpr const char* kJobVariable = "ZETTEST_CHILD_JOB";
pid_t child = -1;

} // namespace

std::string childJob() {
    const char* job = std::getenv(kJobVariable);
    return job == nullptr ? std::string() : job;
}

bool startChild(const std::string& job) {
    ::setenv(kJobVariable, job.c_str(), 1);
    char self[] = "/proc/self/exe";
    char* const argv[] = {self, nullptr};
    const int error = ::posix_spawn(&child, self, nullptr, nullptr, argv, environ);
    ::unsetenv(kJobVariable);
    return error == 0;
}

void killChild(std::chrono::microseconds delay) {
    ::usleep(static_cast<useconds_t>(delay.count()));
    ::kill(child, SIGKILL);
    waitChild();
}

void waitChild() {
    ::waitpid(child, nullptr, 0);
}

} // namespace zettest
