#include "platform/win32/syschar.h"

#include "platform/text.h"

namespace zet::platform::win32 {

HANDLE openHandle(const SysString& name, DWORD access, DWORD sharing, DWORD disposition,
                  DWORD flags) {
    return CreateFile(name.c_str(), access, sharing, nullptr, disposition, flags, nullptr);
}

#if defined(ZET_UNICODE)

std::optional<SysString> sysPath(const std::string& path) {
    return wideFromUtf8(path);
}

SysString sysText(std::string_view text) {
    return wideFromAnsi(text);
}

std::string ansiText(std::basic_string_view<TCHAR> text) {
    bool exact = true;
    return ansiFromWide(text, exact);
}

#else

std::optional<SysString> sysPath(const std::string& path) {
    return path;
}

SysString sysText(std::string_view text) {
    return SysString(text);
}

std::string ansiText(std::basic_string_view<TCHAR> text) {
    return std::string(text);
}

#endif

} // namespace zet::platform::win32
