#include "platform/files.h"

#include "platform/faults.h"
#include "platform/system.h"
#include "platform/textrules.h"
#include "platform/transaction.h"

#include <algorithm>
#include <cstring>

namespace zet::platform {

namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

// Makes raw bytes what a text-mode read delivers, in place: CR LF as LF, a lone CR kept, nothing
// from a Ctrl-Z on.
void toTextMode(std::string& text) {
    const std::size_t end = std::min(text.find(kTextModeEnd), text.size());
    const std::string_view raw(text.data(), end);
    std::size_t out = 0;
    for (std::size_t at = 0; at < end;) {
        const std::size_t pair = std::min(raw.find("\r\n", at), end);
        std::memmove(text.data() + out, text.data() + at, pair - at);
        out += pair - at;
        at = pair + 1; // past the CR: the LF begins the next stretch
    }
    text.resize(out);
}

std::optional<std::string> storedBytes(const std::string& path) {
    std::string bytes;
    // A read that failed midway is no end of file: what was read is not the file.
    if (sys::readFileInto(path, kAll, bytes) != sys::Reading::whole) return std::nullopt;
    return bytes;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// February aside, the months alternate between 31 and 30 days, from 31 in January to July
// and again from August.
int daysInMonth(int year, int month) {
    if (month == 2) return isLeapYear(year) ? 29 : 28;
    return 30 + (month + month / 8) % 2;
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
    // A character of text mode takes at most two bytes, and one byte more shows whether a CR at
    // the end of what was read begins a CR LF.
    const std::size_t most = limit < kAll / 2 ? 2 * limit + 1 : kAll;
    if (sys::readFileInto(routed(path), most, text) == sys::Reading::notOpened) return false;
    toTextMode(text);
    text.resize(std::min(text.size(), limit));
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
    return storedBytes(routed(path));
}

bool appendTextFile(const std::string& path, std::string_view text) {
    if (faults::shouldFail(faults::Point::appendTextFile) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    return noteOutcome(target, sys::appendFileBytes(target, withCrLf(text)), !text.empty());
}

bool appendLines(const std::string& path, std::string_view text) {
    if (faults::shouldFail(faults::Point::appendTextFile) || !validPath(path)) return false;
    const std::string& target = routed(path);
    if (writeFails(target)) return false;
    const auto bytes = storedBytes(target);
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
        std::string units(odd ? 1 : 0, '\0');
        units += sys::utf16FromAnsi(withCrLf(lines));
        done = sys::appendFileBytes(target, units);
    } else {
        const auto current = readTextFile(path);
        if (current && !current->empty() && current->back() != '\n') lines += '\n';
        lines.append(text);
        done = sys::appendFileBytes(target, withCrLf(lines));
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

void printText(std::string_view text) {
    sys::printText(text);
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
