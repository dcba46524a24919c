#include "platform/ini.h"

#include "platform/posix/internal.h"
#include "platform/system.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zet::platform {

namespace {

using posix::Descriptor;
using posix::writeAll;

// Blanks around names and values do not count; Ctrl-Z counts as one, as the profile calls do.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The name of a section header line ("[name]", the name ending at the last "]"), or nullopt.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// The key of a key line: the text before "=" (or the whole line when it has none).
std::optional<std::string_view> keyName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || headerName(line)) return std::nullopt;
    return trim(line.substr(0, line.find('=')));
}

std::string_view keyValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    std::string_view value = trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Lines end in CR LF, LF or a lone CR; the line breaks themselves are not kept.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The lines of a section: from its header (exclusive) to the next header.
struct SectionRange {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionRange> findSection(const std::vector<std::string>& lines,
                                        std::string_view section) {
    section = trim(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = headerName(lines[i]);
        if (!name || !sameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !headerName(lines[end])) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<std::string>& lines, SectionRange range,
                                   std::string_view key) {
    key = trim(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = keyName(lines[i]);
        if (name && sameName(*name, key)) return i;
    }
    return std::nullopt;
}

// The raw bytes of a regular file; nullopt when it cannot be read (missing, folder, no access).
std::optional<std::string> readRaw(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string bytes;
    std::string chunk(16384, '\0');
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

// Replaces the file with `bytes` through a temporary file beside it, so that a failure at any
// point leaves the previous file as it was.
bool replaceFile(const std::string& path, std::string_view bytes, mode_t mode) {
    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) return false;
    const bool written = ::fchmod(file.get(), mode) == 0 && writeAll(file.get(), bytes) &&
                         ::fsync(file.get()) == 0 && ::close(file.release()) == 0;
    if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

// The mode a new file gets: what the process's file creation mask allows of rw for all.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Text that would break the line structure cannot be stored so that it reads back the same.
bool storable(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

std::string sys::readIniString(const std::string& path, std::string_view section,
                               std::string_view key) {
    const auto bytes = readRaw(path);
    if (!bytes) return {};
    const std::vector<std::string> lines = splitLines(*bytes);
    const auto range = findSection(lines, section);
    if (!range) return {};
    const auto line = findKey(lines, *range, key);
    return line ? std::string(keyValue(lines[*line])) : std::string();
}

bool sys::writeIniString(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
    section = trim(section);
    key = trim(key);
    value = trim(value);
    if (!storable(section) || !storable(key) || !storable(value)) return false;
    if (section.empty() || key.empty() || key.front() == ';' || key.front() == '[' ||
        key.find('=') != std::string_view::npos)
        return false;

    std::vector<std::string> lines;
    mode_t mode = newFileMode();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        // An existing file must be writable as it stands, as for the Windows call.
        if (!S_ISREG(info.st_mode) || ::access(path.c_str(), W_OK) != 0) return false;
        const auto bytes = readRaw(path);
        if (!bytes) return false;
        lines = splitLines(*bytes);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    const std::string keyLine = std::string(key) + "=" + std::string(value);
    if (const auto range = findSection(lines, section)) {
        if (const auto line = findKey(lines, *range, key)) {
            lines[*line] = std::string(*keyName(lines[*line])) + "=" + std::string(value);
        } else {
            std::size_t last = range->end;
            while (last > range->header + 1 && trim(lines[last - 1]).empty()) --last;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last), keyLine);
        }
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(keyLine);
    }

    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return replaceFile(path, bytes, mode);
}

} // namespace zet::platform
