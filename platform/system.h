// The front checks, the system half acts. Every platform call that the layers above make is
// defined once in the shared front (platform/*.cpp), which runs the fault points and the checks
// that every system shares, the path check among them, and then calls its system half declared
// here, implemented once in posix/ and once in win32/. Nothing above the platform layer calls
// these directly. The one exception is text.h: the Unicode builds' conversions are pure functions
// of the Windows builds alone, with nothing to check and no POSIX half.
#pragma once

#include "platform/files.h"
#include "platform/security.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zet::platform::sys {

// Files and times. Paths are valid (see validPath); the calendar time is a valid one.
// Reads at most `most` of a file's bytes as they are stored into `bytes`, overwriting what it
// held: notOpened when the file cannot be opened for reading, cut when a read failed midway
// (`bytes` then hold what came before).
enum class Reading { notOpened, cut, whole };
Reading readFileInto(const std::string& path, std::size_t most, std::string& bytes);
bool fileExists(const std::string& path);
// Appends bytes as they are; the file is created when missing.
bool appendFileBytes(const std::string& path, std::string_view bytes);
// Replaces the file's bytes; the file is created when missing. A read-only file is not written.
bool writeFileBytes(const std::string& path, std::string_view bytes);
// ANSI code-page text as UTF-16LE bytes, without a mark.
std::string utf16FromAnsi(std::string_view text);
std::uint64_t calendarToFileTime(const CalendarTime& time);
// Writes `text` to the process's standard output (see printText).
void printText(std::string_view text);
bool setFileWriteTime(const std::string& path, std::uint64_t fileTime);

// Paths: whether a path ends in a separator, its length in the system's own characters, and a
// file name from ANSI text.
bool endsInSeparator(std::string_view path);
std::size_t pathLength(std::string_view path);
std::optional<std::string> fileNameFromText(std::string_view name);

// INI files.
std::string readIniString(const std::string& path, std::string_view section, std::string_view key);
bool writeIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);
// The outermost IniSession: opened, committed (true when every changed file was written) and
// closed, dropping what was not committed.
void openIniSession();
bool commitIniSession();
void closeIniSession();

// Working copies (see FileTransaction). makeWorkingCopy creates a new temporary beside the
// file, named by temporaryName, holding the file's bytes (empty when the file is missing, and
// then `existed` is false) and owned as the file is; nullopt where none can be made, the file
// may not be written, or the file's owner cannot be carried to the copy (always so with
// `refuseOwner`, as for a file of another user).
// putInPlace replaces the file with it, keeping the file's identity, or creates the file from it;
// false, with both left as they were, when the system refuses. removeLeftovers removes every
// temporary beside the file that isTemporaryName recognises, and nothing else.
std::optional<std::string> makeWorkingCopy(const std::string& path, bool& existed,
                                           bool refuseOwner);
bool putInPlace(const std::string& path, const std::string& working);
void removeFile(const std::string& path);
void removeLeftovers(const std::string& path);
// Whether the write that just failed failed for want of space, so that writing in place could
// cut a file short too.
bool lastFailureWasNoSpace();
void forgetLastFailure();

// Security. The object is an open one, never kNoObject. With `refuseWrite` every step but the
// last is taken, and writing the new access fails as the system refuses it.
ObjectHandle openForAccessChange(const std::string& path, bool folder);
void closeObject(ObjectHandle object);
AccessOutcome addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                  std::uint32_t accessMode, std::uint32_t inheritance,
                                  bool refuseWrite);

// The shell.
void shellExplore(const std::string& folder);
void shellOpen(const std::string& file);

// The stack heap; the node freed is never null.
void* allocStackNode(std::size_t bytes) noexcept;
void freeStackNode(void* node) noexcept;

} // namespace zet::platform::sys

namespace zet::platform {

// A path the system can be asked to open: not empty and without a NUL inside.
bool validPath(const std::string& path);

} // namespace zet::platform
