#include "platform/win32/syschar.h"

#include "platform/system.h"
#include "platform/text.h"
#include "platform/textrules.h"

#include <algorithm>

namespace zet::platform {

namespace {

// The most one ReadFile or WriteFile call is given, well inside its 32-bit count.
constexpr std::size_t kMostPerCall = std::size_t{1} << 30;

// Opens a file sharing reading and writing with other programs, as the C runtime's streams do;
// INVALID_HANDLE_VALUE when it cannot be opened (a folder never opens).
HANDLE openFile(const std::string& path, DWORD access, DWORD disposition) {
    const auto name = win32::sysPath(path);
    if (!name) return INVALID_HANDLE_VALUE;
    return win32::openHandle(*name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, disposition);
}

// Closes a file and keeps the error of what failed before.
void closeFile(HANDLE file) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min(bytes.size(), kMostPerCall));
        if (WriteFile(file, bytes.data(), count, &written, nullptr) == 0 || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool writeFile(const std::string& path, DWORD access, DWORD disposition, std::string_view bytes) {
    const HANDLE file = openFile(path, access, disposition);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, bytes);
    closeFile(file);
    return written;
}

} // namespace

sys::Reading sys::readFileInto(const std::string& path, std::size_t most, std::string& bytes) {
    const HANDLE file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return Reading::notOpened;
    // Straight into `bytes`, a large piece at a time.
    constexpr std::size_t kChunk = 65536;
    std::size_t got = 0;
    Reading reading = Reading::whole;
    while (got < most) {
        bytes.resize(got + std::min(kChunk, most - got));
        DWORD read = 0;
        const auto count = static_cast<DWORD>(bytes.size() - got);
        if (ReadFile(file, bytes.data() + got, count, &read, nullptr) == 0) reading = Reading::cut;
        got += read;
        if (reading == Reading::cut || read == 0) break;
    }
    bytes.resize(got);
    closeFile(file);
    return reading;
}

bool sys::fileExists(const std::string& path) {
    const auto name = win32::sysPath(path);
    return name && GetFileAttributes(name->c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool sys::appendFileBytes(const std::string& path, std::string_view bytes) {
    return writeFile(path, FILE_APPEND_DATA, OPEN_ALWAYS, bytes);
}

bool sys::writeFileBytes(const std::string& path, std::string_view bytes) {
    return writeFile(path, GENERIC_WRITE, CREATE_ALWAYS, bytes);
}

void sys::printText(std::string_view text) {
    // An installer has no standard output unless it was started with one.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) writeAll(output, withCrLf(text));
}

std::string sys::utf16FromAnsi(std::string_view text) {
    // A wchar_t is a UTF-16 unit, stored low byte first.
    const std::wstring units = wideFromAnsi(text);
    return std::string(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(wchar_t));
}

} // namespace zet::platform
