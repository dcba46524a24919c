#include "platform/files.h"

#include "platform/faults.h"
#include "platform/system.h"
#include "platform/transaction.h"

namespace zet::platform {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// The range SystemTimeToFileTime accepts, checked here for every system: Wine's version of the
// call takes some invalid dates (29 February 1900), and both builds must agree.
bool validCalendarTime(const CalendarTime& time) {
    return time.year >= 1601 && time.year <= 30827 && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= daysInMonth(time.year, time.month) && time.hour >= 0 &&
           time.hour <= 23 && time.minute >= 0 && time.minute <= 59 && time.second >= 0 &&
           time.second <= 59;
}

} // namespace

bool readTextFileInto(const std::string& path, std::size_t limit, std::string& text) {
    if (faults::shouldFail(faults::Point::openTextFile) || !validPath(path)) return false;
    if (!sys::readTextFile(routed(path), limit, text)) return false;
    if (faults::shouldFail(faults::Point::readTextFile)) text.clear();
    return true;
}

std::optional<std::string> readTextFile(const std::string& path, std::size_t limit) {
    std::string text;
    if (!readTextFileInto(path, limit, text)) return std::nullopt;
    return text;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    if (faults::shouldFail(faults::Point::openTextFile) || !validPath(path)) return std::nullopt;
    return sys::readFileBytes(routed(path));
}

bool appendTextFile(const std::string& path, std::string_view text) {
    if (faults::shouldFail(faults::Point::appendTextFile) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    return noteOutcome(target, sys::appendTextFile(target, text), !text.empty());
}

bool appendLines(const std::string& path, std::string_view text) {
    if (faults::shouldFail(faults::Point::appendTextFile) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    const auto bytes = sys::readFileBytes(target);
    std::string lines;
    bool done = false;
    if (bytes && bytes->starts_with(kUtf16Mark)) {
        // A lone last byte becomes a whole code unit, as the profile calls read it, so that the
        // appended units are not shifted by one byte.
        const bool odd = bytes->size() % 2 != 0;
        if (odd ||
            (bytes->size() > kUtf16Mark.size() && !bytes->ends_with(std::string_view("\n\0", 2))))
            lines += '\n';
        lines.append(text);
        std::string crlf;
        for (const char c : lines) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        done = sys::appendFileBytes(target,
                                    (odd ? std::string(1, '\0') : "") + sys::utf16FromAnsi(crlf));
    } else {
        const auto current = readTextFile(path);
        if (current && !current->empty() && current->back() != '\n') lines += '\n';
        lines.append(text);
        done = sys::appendTextFile(target, lines);
    }
    return noteOutcome(target, done);
}

bool writeFileBytes(const std::string& path, std::string_view bytes) {
    if (faults::shouldFail(faults::Point::writeFile) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    return noteOutcome(target, sys::writeFileBytes(target, bytes));
}

bool fileExists(const std::string& path) {
    return validPath(path) && sys::fileExists(routed(path));
}

std::string utf16FromAnsi(std::string_view text) {
    return sys::utf16FromAnsi(text);
}

std::optional<std::uint64_t> systemTimeToFileTime(const CalendarTime& time) {
    if (!validCalendarTime(time)) return std::nullopt;
    return sys::calendarToFileTime(time);
}

bool setFileWriteTime(const std::string& path, std::uint64_t fileTime) {
    if (faults::shouldFail(faults::Point::setFileTime) || !validPath(path)) return false;
    return sys::setFileWriteTime(path, fileTime);
}

} // namespace zet::platform
