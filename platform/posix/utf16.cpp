#include "platform/posix/utf16.h"

#include <array>
#include <cstdint>

namespace zet::platform::posix {

namespace {

constexpr std::string_view kUtf16Mark = "\xff\xfe";

// Code page 1252 from 0x80 to 0x9F; the rest of it is Latin-1. The five bytes the code page
// leaves undefined map to the control characters of the same number, as Windows maps them.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromAnsi(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c;
}

char toAnsi(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code < 0x100)) return static_cast<char>(code);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The next code point of well-formed generalized UTF-8, advancing `at`.
char32_t nextCode(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 0; i < extra && at < text.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return code;
}

void appendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

} // namespace

std::optional<std::string> decodeUtf16File(std::string_view bytes) {
    if (!bytes.starts_with(kUtf16Mark)) return std::nullopt;
    std::string text;
    text.reserve(bytes.size() / 2);
    auto unitAt = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]) |
               (static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    for (std::size_t i = kUtf16Mark.size(); i + 1 < bytes.size(); i += 2) {
        char32_t code = unitAt(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(text, code);
    }
    return text;
}

std::string encodeUtf16File(std::string_view text) {
    std::string bytes(kUtf16Mark);
    bytes.reserve(text.size() * 2 + kUtf16Mark.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = nextCode(text, at);
        if (code < 0x10000) {
            appendUnit(bytes, code);
        } else {
            appendUnit(bytes, 0xD800 + ((code - 0x10000) >> 10));
            appendUnit(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

std::string ansiToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) appendUtf8(out, fromAnsi(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) out += toAnsi(nextCode(text, at));
    return out;
}

} // namespace zet::platform::posix
