#include "platform/text.h"

#include <windows.h>

#include <climits>

namespace zet::platform {

namespace {

int lengthOf(std::size_t size) {
    return size > INT_MAX ? -1 : static_cast<int>(size);
}

// Converts with one code page into a string of the other kind; nullopt when the call refuses.
template <typename Out, typename Convert>
std::optional<Out> converted(std::size_t size, Convert convert) {
    Out out;
    if (size == 0) return out;
    const int length = lengthOf(size);
    if (length < 0) return std::nullopt;
    const int needed = convert(nullptr, 0);
    if (needed <= 0) return std::nullopt;
    out.resize(static_cast<std::size_t>(needed));
    if (convert(out.data(), needed) != needed) return std::nullopt;
    return out;
}

} // namespace

std::optional<std::string> utf8FromWide(std::wstring_view text) {
    return converted<std::string>(text.size(), [&](char* out, int size) {
        return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(),
                                   lengthOf(text.size()), out, size, nullptr, nullptr);
    });
}

std::optional<std::wstring> wideFromUtf8(std::string_view text) {
    return converted<std::wstring>(text.size(), [&](wchar_t* out, int size) {
        return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                   lengthOf(text.size()), out, size);
    });
}

AnsiConversion ansiConversion(unsigned codePage) {
    if (codePage == CP_UTF8) return {WC_ERR_INVALID_CHARS, false};
    return {WC_NO_BEST_FIT_CHARS, true};
}

std::string ansiFromWide(std::wstring_view text, bool& exact) {
    const UINT codePage = GetACP();
    const AnsiConversion how = ansiConversion(codePage);
    BOOL usedDefault = FALSE;
    const auto ansi = converted<std::string>(text.size(), [&](char* out, int size) {
        return WideCharToMultiByte(codePage, how.flags, text.data(), lengthOf(text.size()), out,
                                   size, how.reportsDefault ? "?" : nullptr,
                                   how.reportsDefault ? &usedDefault : nullptr);
    });
    exact = ansi.has_value() && !usedDefault;
    return ansi.value_or(std::string());
}

std::wstring wideFromAnsi(std::string_view text) {
    return converted<std::wstring>(text.size(),
                                   [&](wchar_t* out, int size) {
                                       return MultiByteToWideChar(CP_ACP, 0, text.data(),
                                                                  lengthOf(text.size()), out, size);
                                   })
        .value_or(std::wstring());
}

} // namespace zet::platform
