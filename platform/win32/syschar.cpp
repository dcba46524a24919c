#include "platform/win32/syschar.h"

#include "platform/text.h"

namespace zet::platform::win32 {

#if defined(ZET_UNICODE)

std::optional<SysString> sysPath(const std::string& path) {
    return wideFromUtf8(path);
}

SysString sysText(std::string_view text) {
    return wideFromAnsi(text);
}

std::string ansiText(const SysString& text) {
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

std::string ansiText(const SysString& text) {
    return text;
}

#endif

} // namespace zet::platform::win32
