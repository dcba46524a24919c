#include "platform/text.h"

#include <windows.h>

#include <climits>

namespace zet::platform {

namespace {

int lengthOf(std::size_t size) {
    return size > INT_MAX ? -1 : static_cast<int>(size);
}

// UTF-16 into code page `codePage`, and back; false, with `out` empty, when the call refuses.
// `usedDefault`, when given, is where the call reports a character it wrote as "?".
bool narrowed(std::wstring_view text, UINT codePage, DWORD flags, BOOL* usedDefault,
              std::string& out) {
    out.clear();
    const int length = lengthOf(text.size());
    if (length <= 0) return length == 0;
    const char* fallback = usedDefault != nullptr ? "?" : nullptr;
    const int needed = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0,
                                           fallback, usedDefault);
    if (needed <= 0) return false;
    out.resize(static_cast<std::size_t>(needed));
    if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), needed, fallback,
                            usedDefault) == needed)
        return true;
    out.clear();
    return false;
}

bool widened(std::string_view text, UINT codePage, DWORD flags, std::wstring& out) {
    out.clear();
    const int length = lengthOf(text.size());
    if (length <= 0) return length == 0;
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    out.resize(static_cast<std::size_t>(needed));
    if (MultiByteToWideChar(codePage, flags, text.data(), length, out.data(), needed) == needed)
        return true;
    out.clear();
    return false;
}

} // namespace

// The results are made where they are returned, so that no text is moved.
std::optional<std::string> utf8FromWide(std::wstring_view text) {
    std::optional<std::string> out(std::in_place);
    if (!narrowed(text, CP_UTF8, WC_ERR_INVALID_CHARS, nullptr, *out)) out.reset();
    return out;
}

std::optional<std::wstring> wideFromUtf8(std::string_view text) {
    std::optional<std::wstring> out(std::in_place);
    if (!widened(text, CP_UTF8, MB_ERR_INVALID_CHARS, *out)) out.reset();
    return out;
}

AnsiConversion ansiConversion(unsigned codePage) {
    if (codePage == CP_UTF8) return {WC_ERR_INVALID_CHARS, false};
    return {WC_NO_BEST_FIT_CHARS, true};
}

std::string ansiFromWide(std::wstring_view text, bool& exact) {
    const UINT codePage = GetACP();
    const AnsiConversion how = ansiConversion(codePage);
    BOOL usedDefault = FALSE;
    std::string ansi;
    exact =
        narrowed(text, codePage, how.flags, how.reportsDefault ? &usedDefault : nullptr, ansi) &&
        !usedDefault;
    return ansi;
}

std::wstring wideFromAnsi(std::string_view text) {
    std::wstring wide;
    widened(text, CP_ACP, 0, wide);
    return wide;
}

} // namespace zet::platform
