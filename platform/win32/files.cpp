#include "platform/win32/syschar.h"

#include "platform/system.h"
#include "platform/text.h"

#include <tchar.h>

#include <cstdio>
#include <memory>

namespace zet::platform {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens in `mode`: in text mode the runtime translates line ends and Ctrl-Z (the same in the
// wide open: it names the file in UTF-16, the contents stay bytes).
File openText(const std::string& path, const TCHAR* mode) {
    const auto name = win32::sysPath(path);
    return File(name ? _tfopen(name->c_str(), mode) : nullptr);
}

} // namespace

bool sys::readTextFile(const std::string& path, std::size_t limit, std::string& text) {
    const File file = openText(path, _T("r"));
    if (!file) return false;
    text.clear();
    // Read straight into the text, a large piece at a time; fread delivers what text mode makes
    // of the bytes, so the pieces are exactly the characters to keep.
    constexpr std::size_t kChunk = 65536;
    while (text.size() < limit) {
        const std::size_t had = text.size();
        const std::size_t want = std::min(kChunk, limit - had);
        text.resize(had + want);
        const std::size_t got = std::fread(text.data() + had, 1, want, file.get());
        text.resize(had + got);
        if (got < want) break;
    }
    return true;
}

std::optional<std::string> sys::readFileBytes(const std::string& path) {
    const File file = openText(path, _T("rb"));
    if (!file) return std::nullopt;
    std::string bytes;
    constexpr std::size_t kChunk = 65536;
    std::string chunk(kChunk, '\0');
    for (std::size_t got; (got = std::fread(chunk.data(), 1, kChunk, file.get())) > 0;)
        bytes.append(chunk.data(), got);
    // A read that failed midway is no end of file: what was read is not the file.
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool sys::fileExists(const std::string& path) {
    const auto name = win32::sysPath(path);
    return name && GetFileAttributes(name->c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool sys::appendTextFile(const std::string& path, std::string_view text) {
    const File file = openText(path, _T("a")); // LF is written as CR LF
    if (!file) return false;
    return std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
}

bool sys::appendFileBytes(const std::string& path, std::string_view bytes) {
    const File file = openText(path, _T("ab"));
    return file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool sys::writeFileBytes(const std::string& path, std::string_view bytes) {
    File file = openText(path, _T("wb"));
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    return std::fclose(file.release()) == 0;
}

std::string sys::utf16FromAnsi(std::string_view text) {
    std::string bytes;
    for (const wchar_t unit : wideFromAnsi(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

} // namespace zet::platform
