#include "platform/win32/syschar.h"

#include "platform/system.h"

namespace zet::platform {

namespace {

std::uint64_t fromFileTime(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

std::uint64_t sys::calendarToFileTime(const CalendarTime& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDay = static_cast<WORD>(time.day);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    FILETIME result{};
    // The time is a valid one, which the call always converts.
    return SystemTimeToFileTime(&system, &result) ? fromFileTime(result) : 0;
}

bool sys::setFileWriteTime(const std::string& path, std::uint64_t fileTime) {
    const auto name = win32::sysPath(path);
    if (!name) return false;
    const HANDLE file = win32::openHandle(*name, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, 0);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME writeTime{};
    writeTime.dwLowDateTime = static_cast<DWORD>(fileTime);
    writeTime.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SetFileTime(file, nullptr, nullptr, &writeTime);
    CloseHandle(file);
    return true;
}

} // namespace zet::platform
