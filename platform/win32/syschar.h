// The form of the Win32 calls this build makes, for the files of platform/win32 only (included
// before any system header): the "W" calls in the Unicode builds, the "A" calls in the ANSI
// one, both written once through the TCHAR names of the Windows headers.
#pragma once

#if defined(ZET_UNICODE)
#define UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zet::platform::win32 {

using SysString = std::basic_string<TCHAR>;

// A path as the calls take it: its UTF-8 made UTF-16 in the Unicode builds, as it is in the
// ANSI one. Nullopt when the path is no valid UTF-8 (no file is opened then).
std::optional<SysString> sysPath(const std::string& path);

// A handle of the file `name` as CreateFile opens it, without security attributes or template;
// INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE openHandle(const SysString& name, DWORD access, DWORD sharing, DWORD disposition,
                  DWORD flags = FILE_ATTRIBUTE_NORMAL);

// An ANSI code-page text (a profile section, key or value) as the calls take it.
SysString sysText(std::string_view text);

// A text a call gave back, in the ANSI code page: a character the code page cannot hold (only
// from a UTF-16 profile file) reads as '?', as the "A" call gives it.
std::string ansiText(std::basic_string_view<TCHAR> text);

} // namespace zet::platform::win32
