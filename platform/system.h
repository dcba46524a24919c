// The system's own half of each platform call, implemented once in posix/ and once in win32/.
// The shared front (platform/*.cpp) runs the fault check and the argument checks that every
// system shares, then calls these; nothing above the platform layer calls them directly.
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
bool readTextFile(const std::string& path, std::size_t limit, std::string& text);
std::optional<std::string> readFileBytes(const std::string& path);
bool appendTextFile(const std::string& path, std::string_view text);
std::uint64_t calendarToFileTime(const CalendarTime& time);
bool setFileWriteTime(const std::string& path, std::uint64_t fileTime);

// INI files.
std::string readIniString(const std::string& path, std::string_view section, std::string_view key);
bool writeIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);
// The outermost IniSession: opened, committed (true when every changed file was written) and
// closed, dropping what was not committed.
void openIniSession();
bool commitIniSession();
void closeIniSession();

// Security.
ObjectHandle openForAccessChange(const std::string& path, bool folder);
AccessOutcome addWorldAccessEntry(ObjectHandle object, std::uint32_t permissions,
                                  std::uint32_t accessMode, std::uint32_t inheritance);

// The stack heap.
void* allocStackNode(std::size_t bytes) noexcept;

} // namespace zet::platform::sys

namespace zet::platform {

// A path the system can be asked to open: not empty and without a NUL inside.
bool validPath(const std::string& path);

} // namespace zet::platform
