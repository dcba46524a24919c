#include "platform/faults.h"
#include "platform/files.h"

#include <windows.h>

namespace zet::platform {

bool setFileWriteTime(const std::string& path, std::uint64_t fileTime) {
    if (faults::shouldFail(faults::Point::setFileTime)) return false;
    if (path.find('\0') != std::string::npos) return false;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME writeTime{};
    writeTime.dwLowDateTime = static_cast<DWORD>(fileTime);
    writeTime.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SetFileTime(file, nullptr, nullptr, &writeTime);
    CloseHandle(file);
    return true;
}

} // namespace zet::platform
