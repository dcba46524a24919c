#include "platform/win32/syschar.h"

#include "platform/ini.h"

#include "platform/system.h"

#include <algorithm>
#include <climits>

namespace zet::platform {

namespace {

// The first buffer, and the largest one tried: a value beyond it is returned cut there.
constexpr DWORD kFirstValueBuffer = 512;
constexpr DWORD kMaxValueBuffer = DWORD{1} << 26;

// The longest value, in UTF-16 characters, that WritePrivateProfileStringA stores whole under
// Wine. A longer one is reported written but stored empty or cut (its length modulo 65,536).
constexpr int kMaxStoredValue = 32766;

// The value's length once the profile call has converted it to UTF-16.
bool storedWhole(std::string_view value) {
    if (value.size() > static_cast<std::size_t>(INT_MAX)) return false;
    const int characters =
        MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()), nullptr, 0);
    return characters <= kMaxStoredValue;
}

} // namespace

std::string sys::readIniString(const std::string& path, std::string_view section,
                               std::string_view key) {
    const auto file = win32::sysPath(path);
    if (!file) return {};
    const win32::SysString sectionText = win32::sysText(section);
    const win32::SysString keyText = win32::sysText(key);
    win32::SysString buffer;
    for (DWORD size = kFirstValueBuffer;; size *= 2) {
        buffer.resize(size);
        const DWORD count = GetPrivateProfileString(sectionText.c_str(), keyText.c_str(), TEXT(""),
                                                    buffer.data(), size, file->c_str());
        // A value that fills the buffer comes back cut to size - 1 characters.
        if (count + 1 < size || size >= kMaxValueBuffer)
            return win32::ansiText({buffer.data(), std::min(count, size)});
    }
}

bool sys::writeIniString(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
    const auto file = win32::sysPath(path);
    if (!file || !storedWhole(value)) return false;
    const win32::SysString sectionText = win32::sysText(section);
    const win32::SysString keyText = win32::sysText(key);
    const win32::SysString valueText = win32::sysText(value);
    // The "W" call keeps an ANSI file ANSI and creates a new one ANSI.
    return WritePrivateProfileString(sectionText.c_str(), keyText.c_str(), valueText.c_str(),
                                     file->c_str()) != 0;
}

// The profile calls write each key at once; a session has nothing to collect.
void sys::openIniSession() {}

bool sys::commitIniSession() {
    return true;
}

void sys::closeIniSession() {}

} // namespace zet::platform
