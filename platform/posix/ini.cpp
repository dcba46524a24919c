#include "platform/ini.h"

#include "platform/posix/durable.h"
#include "platform/posix/internal.h"
#include "platform/posix/utf16.h"
#include "platform/system.h"
#include "platform/textrules.h"
#include "platform/transaction.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zet::platform {

namespace {

using posix::Descriptor;

// Blanks around names and values do not count; Ctrl-Z counts as one, as the profile calls do.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A name or a value ends at its first NUL, as the profile calls hold each one as a C string.
std::string_view field(std::string_view text) {
    return trim(beforeFirstNul(text));
}

// The name of a section header line ("[name]", the name ending at the last "]"), or nullopt.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return field(line.substr(1, close - 1));
}

// The key of a key line: the text before "=" (or the whole line when it has none).
std::optional<std::string_view> keyName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || headerName(line)) return std::nullopt;
    return field(line.substr(0, line.find('=')));
}

std::string_view keyValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    std::string_view value = field(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Lines end in CR LF, LF or a lone CR; the line breaks themselves are not kept.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    // Room for every line at once (a CR LF counts twice): no regrowth while splitting.
    const auto breaks =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    lines.reserve(static_cast<std::size_t>(breaks) + 1);
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
        if (!name || !sameIgnoringCase(*name, section)) continue;
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
        if (name && sameIgnoringCase(*name, key)) return i;
    }
    return std::nullopt;
}

// The raw bytes of a regular file; nullopt when it cannot be read (missing, folder, no access).
std::optional<std::string> readRaw(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return posix::readAll(file.get(), static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
}

// A file as the layer edits it: its lines, without their line breaks, as 8-bit text or, for a
// UTF-16LE file, as UTF-8.
struct IniFile {
    bool readable = false; // false: there is a file, but it cannot be read (a folder, no access)
    bool exists = false;
    bool utf16 = false;
    std::vector<std::string> lines;
    std::optional<bool> writable; // found out at the first write
    bool changed = false;
};

IniFile loadIni(const std::string& path) {
    IniFile file;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        file.readable = errno == ENOENT;
        return file;
    }
    const auto bytes = readRaw(path);
    if (!bytes) return file;
    file.readable = file.exists = true;
    const auto text = posix::decodeUtf16File(*bytes);
    file.utf16 = text.has_value();
    file.lines = splitLines(text ? *text : *bytes);
    return file;
}

// An existing file must be writable as it stands, as for the Windows call.
bool canWrite(IniFile& file, const std::string& path) {
    if (!file.writable)
        file.writable = file.readable && (!file.exists || ::access(path.c_str(), W_OK) == 0);
    return *file.writable;
}

std::string bytesOf(const IniFile& file) {
    std::string text;
    for (const std::string& line : file.lines) (text += line) += "\r\n";
    return file.utf16 ? posix::encodeUtf16File(text) : text;
}

// The files of the open session by path; null while none is open.
struct Session {
    std::map<std::string, IniFile, std::less<>> files;
};

std::unique_ptr<Session>& openSession() {
    static std::unique_ptr<Session> session;
    return session;
}

// The file as the open session holds it (read at its first use), or else read afresh into
// `local`.
IniFile& fileAt(const std::string& path, IniFile& local) {
    const auto& session = openSession();
    if (!session) {
        local = loadIni(path);
        return local;
    }
    auto found = session->files.find(path);
    if (found == session->files.end()) found = session->files.emplace(path, loadIni(path)).first;
    return found->second;
}

std::string_view lookUp(const std::vector<std::string>& lines, std::string_view section,
                        std::string_view key) {
    const auto range = findSection(lines, section);
    if (!range) return {};
    const auto line = findKey(lines, *range, key);
    return line ? keyValue(lines[*line]) : std::string_view();
}

void setKey(std::vector<std::string>& lines, std::string_view section, std::string_view key,
            std::string_view value) {
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
}

// A working copy is this call's own and put in place as a whole later: it is simply rewritten.
// Any other file is replaced so that a crash leaves its old content or its new one.
bool writeWhole(const std::string& path, std::string_view bytes) {
    if (!isWorkingCopy(path)) return posix::replaceFileContent(path, bytes);
    Descriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW));
    return noteOutcome(path, file.get() >= 0 && posix::writeAll(file.get(), bytes));
}

} // namespace

std::string sys::readIniString(const std::string& path, std::string_view section,
                               std::string_view key) {
    IniFile local;
    const IniFile& file = fileAt(path, local);
    if (!file.utf16) return std::string(lookUp(file.lines, section, key));
    return posix::utf8ToAnsi(
        lookUp(file.lines, posix::ansiToUtf8(section), posix::ansiToUtf8(key)));
}

bool sys::writeIniString(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
    section = trim(section);
    key = trim(key);
    value = trim(value);
    // Text that would break the line structure cannot be stored so that it reads back the same.
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) return false;
    if (section.empty() || key.empty() || key.front() == ';' || key.front() == '[' ||
        key.find('=') != std::string_view::npos)
        return false;

    IniFile local;
    IniFile& file = fileAt(path, local);
    if (!canWrite(file, path)) return false;
    if (file.utf16)
        setKey(file.lines, posix::ansiToUtf8(section), posix::ansiToUtf8(key),
               posix::ansiToUtf8(value));
    else
        setKey(file.lines, section, key, value);
    file.changed = true;
    return openSession() || writeWhole(path, bytesOf(file));
}

void sys::openIniSession() {
    openSession() = std::make_unique<Session>();
}

void sys::closeIniSession() {
    openSession().reset();
}

bool sys::commitIniSession() {
    if (!openSession()) return true;
    bool all = true;
    for (const auto& [path, file] : openSession()->files)
        if (file.changed) all = writeWhole(path, bytesOf(file)) && all;
    // Later reads go to the files again.
    openSession()->files.clear();
    return all;
}

} // namespace zet::platform
