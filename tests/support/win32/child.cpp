#include "tests/support/child.h"

#include <windows.h>

#include <vector>

namespace zettest {

namespace {

constexpr const char* kJobVariable = "ZETTEST_CHILD_JOB";
HANDLE child = nullptr;

} // namespace

std::string childJob() {
    const DWORD size = GetEnvironmentVariableA(kJobVariable, nullptr, 0);
    if (size == 0) return {};
    std::string job(size, '\0');
    job.resize(GetEnvironmentVariableA(kJobVariable, job.data(), size));
    return job;
}

bool startChild(const std::string& job) {
    std::vector<wchar_t> self(32768);
    if (GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())) == 0)
        return false;
    std::wstring commandLine = L"\"" + std::wstring(self.data()) + L"\"";
    SetEnvironmentVariableA(kJobVariable, job.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(self.data(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process) != 0;
    SetEnvironmentVariableA(kJobVariable, nullptr);
    if (!started) return false;
    CloseHandle(process.hThread);
    child = process.hProcess;
    return true;
}

void killChild(std::chrono::microseconds delay) {
    Sleep(static_cast<DWORD>(delay.count() / 1000));
    TerminateProcess(child, 9);
    waitChild();
}

void waitChild() {
    WaitForSingleObject(child, INFINITE);
    CloseHandle(child);
    child = nullptr;
}

} // namespace zettest
