// Small text rules that the logic folders and the profile reader share. They depend on neither
// the system nor the locale: letter case is ASCII's, as in the "C" locale the plug-in runs in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zet::platform {

// White space as isspace sees it in the "C" locale: space, and tab to CR.
constexpr bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

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

// Text with every LF written as CR LF, as text mode writes it.
inline std::string withCrLf(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    return lines;
}

// Lowercase hexadecimal digits, by value.
inline constexpr std::string_view kHexDigits = "0123456789abcdef";

// A 32-bit number in decimal, as printf writes it with "%u" or "%d", in 32-bit arithmetic (the
// x86 DLLs have no 64-bit division).
inline std::string decimalText(std::uint32_t magnitude, bool negative = false) {
    char digits[11]; // the 10 digits of the largest magnitude and a sign
    std::size_t at = sizeof digits;
    do {
        digits[--at] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits[--at] = '-';
    return std::string(digits + at, sizeof digits - at);
}

inline std::string decimalText(int value) {
    const auto magnitude = static_cast<std::uint32_t>(value);
    return decimalText(value < 0 ? 0u - magnitude : magnitude, value < 0);
}

} // namespace zet::platform
