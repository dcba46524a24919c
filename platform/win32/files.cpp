#include "platform/files.h"
#include "platform/faults.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <memory>

namespace zet::platform {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

} // namespace

std::optional<std::string> readTextFile(const std::string& path, std::size_t limit) {
    if (faults::shouldFail(faults::Point::openTextFile)) return std::nullopt;
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    File file(std::fopen(path.c_str(), "r")); // text mode: the runtime translates
    if (!file) return std::nullopt;
    if (faults::shouldFail(faults::Point::readTextFile)) return std::string();
    // Read straight into the text, a large piece at a time; fread delivers what text mode makes
    // of the bytes, so the pieces are exactly the characters to keep.
    constexpr std::size_t kChunk = 65536;
    std::string text;
    while (text.size() < limit) {
        const std::size_t had = text.size();
        const std::size_t want = std::min(kChunk, limit - had);
        text.resize(had + want);
        const std::size_t got = std::fread(text.data() + had, 1, want, file.get());
        text.resize(had + got);
        if (got < want) break;
    }
    return text;
}

bool appendTextFile(const std::string& path, std::string_view text) {
    if (faults::shouldFail(faults::Point::appendTextFile)) return false;
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    File file(std::fopen(path.c_str(), "a")); // text mode: LF is written as CR LF
    if (!file) return false;
    return std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
}

std::optional<std::uint64_t> systemTimeToFileTime(const CalendarTime& time) {
    // The ranges are checked here as well: the call's implementation in Wine accepts some
    // invalid dates (29 February 1900), and both builds must agree on what is valid.
    if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12 ||
        time.day < 1 || time.day > daysInMonth(time.year, time.month) || time.hour < 0 ||
        time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59)
        return std::nullopt;
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDay = static_cast<WORD>(time.day);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    FILETIME result{};
    if (!SystemTimeToFileTime(&system, &result)) return std::nullopt;
    return (static_cast<std::uint64_t>(result.dwHighDateTime) << 32) | result.dwLowDateTime;
}

} // namespace zet::platform
