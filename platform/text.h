// Text conversions of the Unicode Windows builds, whose stack and system calls take UTF-16:
// paths travel as UTF-8 inside the plug-in and keep every character; texts that are or become
// file contents stay in the system's ANSI code page. The 8-bit builds convert nothing and do
// not use these.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zet::platform {

// UTF-16 and UTF-8, both ways. Nullopt when the text is not valid in its form (an unpaired
// surrogate, a broken UTF-8 sequence): it is never guessed at.
std::optional<std::string> utf8FromWide(std::wstring_view text);
std::optional<std::wstring> wideFromUtf8(std::string_view text);

// UTF-16 into the ANSI code page, never best-fit: a character the code page cannot hold comes
// out as '?' and sets `exact` to false. Where the ANSI code page is UTF-8 every character fits;
// an unpaired surrogate then makes the whole text empty and sets `exact` to false.
std::string ansiFromWide(std::wstring_view text, bool& exact);

// How WideCharToMultiByte converts into code page `codePage` without best-fit: its flags, and
// whether it takes a default character ("?") and reports its use. UTF-8 (65001) refuses both
// and every flag but WC_ERR_INVALID_CHARS.
struct AnsiConversion {
    unsigned long flags;
    bool reportsDefault;
};
AnsiConversion ansiConversion(unsigned codePage);

// ANSI code-page text as UTF-16.
std::wstring wideFromAnsi(std::string_view text);

} // namespace zet::platform
