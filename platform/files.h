// Files and times: text-mode reading and appending as the Windows runtime does it, and
// calendar-time conversion as SystemTimeToFileTime does it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace zet::platform {

// Reads a file in text mode: CR LF is delivered as one LF, a lone CR stays, and Ctrl-Z (0x1A)
// ends the file. At most `limit` characters are delivered. Empty when the file opened but
// nothing could be read; nullopt when it cannot be opened for reading (absent, not readable,
// a folder, an empty path).
std::optional<std::string>
readTextFile(const std::string& path, std::size_t limit = std::numeric_limits<std::size_t>::max());

// Reads as readTextFile does, into `text`, whose memory is reused: a reader that reads again
// and again allocates once. False, with `text` as it was, when the file cannot be opened.
bool readTextFileInto(const std::string& path, std::size_t limit, std::string& text);

// The character that ends a file read in text mode.
inline constexpr char kTextModeEnd = '\x1a';

// The bytes of a file as they are stored, without text-mode translation: what a text-mode read
// passes over can be seen here. Nullopt when it cannot be opened for reading.
std::optional<std::string> readFileBytes(const std::string& path);

// Whether something of that name exists, whether or not it can be read.
bool fileExists(const std::string& path);

// Appends `text` in text mode: every LF is written as CR LF. The file is created when missing.
// False when it cannot be opened for appending (a folder, a missing folder, no permission).
bool appendTextFile(const std::string& path, std::string_view text);

// Appends `text` as lines of their own: after a line break when the file's last line lacks one,
// in the file's own form: as UTF-16LE, every LF written as CR LF and the text converted from the
// ANSI code page, to a file that starts with the UTF-16LE mark; in text mode to any other file.
// The file is created when missing. False when it cannot be appended to.
bool appendLines(const std::string& path, std::string_view text);

// Writes `text` to the process's standard output at once, as printf to a standard output in
// the text mode of the C runtime's start-up does (on Windows every LF as CR LF, whatever mode a
// host program set for its own streams); nothing is written where there is none.
void printText(std::string_view text);

// Replaces the whole content of a file with `bytes` as they are; the file is created when
// missing. False when it cannot be written (a folder, no permission, a read-only file); a write
// that fails midway may leave it cut, so a caller that must not lose it writes inside a
// FileTransaction.
bool writeFileBytes(const std::string& path, std::string_view bytes);

// ANSI code-page text as the UTF-16LE bytes (without a mark) that appendLines writes for it.
std::string utf16FromAnsi(std::string_view text);

// The byte-order mark of a UTF-16LE text file.
inline constexpr std::string_view kUtf16Mark = "\xff\xfe";

// A calendar time with the fields of a Win32 SYSTEMTIME (milliseconds always 0).
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The 64-bit FILETIME (100-ns intervals since 1 January 1601 UTC) of a UTC calendar time in
// the proleptic Gregorian calendar; nullopt when the fields are no valid time (year 1601 to
// 30827, month 1 to 12, day within the month, hour 0 to 23, minute and second 0 to 59).
std::optional<std::uint64_t> systemTimeToFileTime(const CalendarTime& time);

// Paths in a folder: the separator between folder and file name, and the longest path the
// system opens, in characters of its own kind (bytes on POSIX, UTF-16 units on Windows, whose
// Unicode builds' paths travel as UTF-8 and the ANSI build's in the system's code page).
extern const char kPathSeparator;
extern const std::size_t kMaxPathLength;

// Whether the last character of a path is the separator; in the ANSI Windows build, not the
// second byte of a double-byte character of the system's code page.
bool endsInSeparator(std::string_view path);

// Whether a path is at most kMaxPathLength characters long as the system counts them. A longer
// path is never cut; it counts as a file that cannot be opened.
bool pathFits(std::string_view path);

// A file name given as ANSI code-page text (file contents, or a text popped as such) as a part
// of a path: unchanged where paths are ANSI bytes, UTF-8 in the Unicode Windows builds.
// Nullopt when it cannot be converted.
std::optional<std::string> fileNameFromText(std::string_view name);

// Gives an existing file the last-write time `fileTime` (a FILETIME: 100-ns intervals since
// 1 January 1601 UTC) and leaves its other times alone; 0 changes nothing, nor does a time of
// 2^63 or more, which SetFileTime refuses (true all the same). The file is opened
// for writing and never created, so a folder, a missing or read-only file, or one the caller may
// not write, is not opened: false then, and nothing is changed.
bool setFileWriteTime(const std::string& path, std::uint64_t fileTime);

} // namespace zet::platform
