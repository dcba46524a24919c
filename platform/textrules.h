// Small text rules that the logic folders and the profile reader share. They depend on neither
// the system nor the locale: letter case is ASCII's, as in the "C" locale the plug-in runs in.
#pragma once

#include <cstddef>
#include <string_view>

namespace zet::platform {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal when only the letter case of A to Z differs.
constexpr bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// A CR, an LF or a NUL: text holding one cannot be stored as one line of a file.
constexpr bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Text read as a C string reads it: up to its first NUL.
constexpr std::string_view beforeFirstNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// A line without its line end: one LF, then one CR.
constexpr std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

} // namespace zet::platform
