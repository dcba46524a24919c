// Looking at and preparing file-system objects in tests, the same way on both systems.
#pragma once

#include "platform/security.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zettest {

// An object's times in FILETIME units (100 ns since 1601). Creation is 0 where the system
// keeps none that the plug-in could touch.
struct FileTimes {
    std::uint64_t creation = 0;
    std::uint64_t access = 0;
    std::uint64_t write = 0;
};

// The times of a file or folder; nullopt when it cannot be read.
std::optional<FileTimes> fileTimes(const std::string& path);

// Sets the access and write times of a file or folder.
bool setFileTimes(const std::string& path, std::uint64_t access, std::uint64_t write);

// Gives a file the read-only attribute (no write bit at all on POSIX), or takes it away.
bool setReadOnly(const std::string& path, bool readOnly);

// Who may access an object: whether everyone has full access to it alone, and every other
// entry, sorted (Win32: the DACL's entries for other trustees; POSIX: owner, group and the
// special bits).
struct AccessProbe {
    bool worldFullAccess = false;
    std::vector<std::string> otherEntries;
};
AccessProbe probeAccess(const std::string& path);

// Opens an object with the right to read its access list but not to change it.
zet::platform::ObjectHandle openWithoutAccessChange(const std::string& path);

// Runs `body` as another, unprivileged user (65534) in a forked child of a test run as root, and
// gives its result. nullopt where this does not apply: not root, or not POSIX.
std::optional<bool> runUnprivileged(const std::function<bool()>& body);

// A program that the shell launches and that leaves a trace of having run.
struct ShellTrace {
    std::string argument;      // what to hand to the export
    std::string expectedTrace; // what the launched program writes into the trace file
    std::filesystem::path traceFile;
};
// Sets up a launch in `folder`. On POSIX a fake xdg-open first on PATH records its argument for
// `target`, prints to both standard streams and stays running for `lingerSeconds`; on Windows
// `target` becomes a .bat file that the shell runs.
ShellTrace prepareShellTrace(const std::filesystem::path& folder, const std::string& target,
                             int lingerSeconds);

// Waits up to `seconds` for a file to appear and returns its contents, or nullopt.
std::optional<std::string> waitForFile(const std::filesystem::path& path, int seconds);

// True when this process has a child that ended and was not reaped.
bool hasZombieChild();

} // namespace zettest

namespace zettest {

// Makes `link` a symbolic link to `target` where the access grant refuses to follow one (POSIX).
// False on Windows, where the open follows links as every Win32 open does.
bool makeRefusedLink(const std::string& target, const std::string& link);

} // namespace zettest

namespace zettest {

// As prepareShellTrace, for a folder handed to exploreFolder. nullopt on Windows, where the
// explorer window leaves no trace to wait for.
std::optional<ShellTrace> prepareExploreTrace(const std::filesystem::path& folder,
                                              const std::string& target, int lingerSeconds);

} // namespace zettest

namespace zettest {

// Whether a read-only file cannot be opened for writing here, as on Windows. Wine run as root
// opens it all the same, since the Unix root may write any file.
bool readOnlyIsRefused(const std::string& path);

} // namespace zettest

namespace zettest {

// Holds a file open for reading and writing without sharing its deletion, as a running program
// may, for the scope: it can then be written but not replaced. POSIX replaces such a file all
// the same; there the system's refusal is stood in for.
class HeldOpen {
  public:
    explicit HeldOpen(const std::string& path);
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen();

  private:
    [[maybe_unused]] void* handle_ = nullptr; // the Windows handle
};

} // namespace zettest
