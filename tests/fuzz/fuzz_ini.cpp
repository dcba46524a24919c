// The INI layer on a fuzzed duvevo.cfg and a sequence of writes. Input parts: the existing file
// (none when empty), then one write a line as "section|key|value" (the value runs to the end of
// the line). Afterwards every accepted write reads back as last written, every key that was
// there before and was not written keeps its value, and a refused write changes no byte.
#include "platform/ini.h"
#include "tests/fuzz/fuzz.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

constexpr std::size_t kMaxWrites = 16;
constexpr std::size_t kMaxKeysChecked = 256;

// The layer's rules, restated: names match without regard to ASCII letter case, and names and
// values do not count their surrounding blanks (Ctrl-Z among them).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string folded(std::string_view name) {
    std::string result = trim(name);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// A value reads back without one pair of enclosing quotes.
std::string readBack(std::string_view value) {
    std::string text = trim(value);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Slot {
    std::string section;
    std::string key;
};

// Every (section, key) that a line of the file names, as the layer would look for it.
std::vector<Slot> slotsIn(std::string_view text) {
    std::vector<Slot> slots;
    std::string section;
    bool inSection = false;
    while (!text.empty() && slots.size() < kMaxKeysChecked) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string line = trim(text.substr(0, end));
        text.remove_prefix(std::min(text.size(), end + 1));
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line.front() == '[' && close != 0 && close != std::string::npos) {
            section = trim(std::string_view(line).substr(1, close - 1));
            inSection = true;
        } else if (inSection && !line.empty() && line.front() != ';') {
            slots.push_back({section, trim(line.substr(0, line.find('=')))});
        }
    }
    return slots;
}

[[maybe_unused]] void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = zetfuzz::splitParts({reinterpret_cast<const char*>(data), size}, 2);
    zetfuzz::clearWorkFolder();
    const std::string path = zetfuzz::pathIn("duvevo.cfg");
    if (!parts[0].empty()) zetfuzz::writeBytes(path, parts[0]);

    // The read-backs go through a session that writes nothing, so the file is loaded once for
    // all of them rather than once a key: the same lookup on the same loaded lines, without the
    // cost that grows with keys times lines.
    std::vector<std::pair<Slot, std::string>> before;
    {
        const zet::platform::IniSession reads;
        for (Slot& slot : slotsIn(parts[0])) {
            std::string value = zet::platform::readIniString(path, slot.section, slot.key);
            before.emplace_back(std::move(slot), std::move(value));
        }
    }

    std::map<std::pair<std::string, std::string>, std::string> written;
    std::string_view writes = parts[1];
    for (std::size_t n = 0; n < kMaxWrites && !writes.empty(); ++n) {
        const std::size_t end = std::min(writes.find('\n'), writes.size());
        const std::string_view line = writes.substr(0, end);
        writes.remove_prefix(std::min(writes.size(), end + 1));
        const std::size_t bar1 = line.find('|');
        const std::size_t bar2 = line.find('|', bar1 == std::string_view::npos ? 0 : bar1 + 1);
        if (bar1 == std::string_view::npos || bar2 == std::string_view::npos) continue;
        const std::string_view section = line.substr(0, bar1);
        const std::string_view key = line.substr(bar1 + 1, bar2 - bar1 - 1);
        const std::string_view value = line.substr(bar2 + 1);

        const std::string previous = fileBytes(path);
        if (zet::platform::writeIniString(path, section, key, value)) {
            written[{folded(section), folded(key)}] = readBack(value);
#ifndef _WIN32
        } else {
            check(fileBytes(path) == previous);
#endif
        }
    }

    // The Windows build hands all this to the system's profile calls, whose handling of odd
    // names and bytes (line breaks stored as given, for one) is the system's own: run only.
#ifndef _WIN32
    const zet::platform::IniSession reads;
    for (const auto& [slot, value] : written)
        check(zet::platform::readIniString(path, slot.first, slot.second) == value);
    for (const auto& [slot, value] : before) {
        if (written.contains({folded(slot.section), folded(slot.key)})) continue;
        check(zet::platform::readIniString(path, slot.section, slot.key) == value);
    }
    // Nothing but duvevo.cfg is left in the folder: no temporary file survives a write.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(zetfuzz::workFolder()))
        ++files;
    check(files <= 1);
#endif
    return 0;
}
