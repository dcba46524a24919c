#include "appconfig/installedmerge.h"

#include "appconfig/cfgkeys.h"
#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"

#include <cctype>
#include <new>
#include <optional>

namespace zet::appconfig {

namespace {

// The catch-all group for installed dictionaries no group took, with its display names.
constexpr std::string_view kOtherDicsHeader =
    "[.other_dics]\nen=Other dictionaries\nfi=Muut sanakirjat\n";

// Takes the installed entry "*" + name + newline, if there is one still free.
bool takeInstalled(std::string& installed, std::string_view name) {
    std::string wanted(1, '*');
    wanted.append(name);
    wanted += '\n';
    const std::size_t entry = installed.find(wanted);
    if (entry == std::string::npos) return false;
    installed[entry] = '+';
    return true;
}

// Adds one "Dics=" line for each installed member of a "dics=" line; true when any was taken.
// Names are separated by ",", blanks and the newline; a tab belongs to the name.
bool takeMembers(std::string_view members, std::string& installed, std::string& section) {
    bool taken = false;
    for (const std::string_view name : memberNames(members)) {
        if (takeInstalled(installed, name)) {
            section += std::string(kMembersKey) + "=" + std::string(name) + "\n";
            taken = true;
        }
    }
    return taken;
}

// What the file adds to duvevo.cfg: every group section with at least one member taken.
std::string groupSections(const std::string& text, std::string& installed) {
    std::string output;
    std::string section;
    bool inGroup = false;
    bool pending = false;
    for (std::string line : textLines(text)) {
        if (line.empty() || line.front() == ';' || line.front() == '\n') continue;
        // The last line of a file may lack its newline; copied bare, it would run into
        // whatever is appended next.
        if (line.back() != '\n') line += '\n';
        if (line.front() == '[') {
            if (pending) output += section;
            pending = false;
            inGroup = line.size() > 1 && line[1] == '.';
            if (inGroup) section = line;
        } else if (!inGroup) {
            continue;
        } else if (!startsWithDics(line)) {
            section += line;
        } else if (takeMembers(std::string_view(line).substr(5), installed, section)) {
            pending = true;
        }
    }
    if (pending) output += section;
    return output;
}

// The text of instdics.dat up to its first NUL, as C string searches would see it; nullopt when
// it cannot be read, is empty or does not fit in memory.
std::optional<std::string> installedText(std::string_view folder) {
    try {
        auto text = readText(pathInFolder(folder, kInstalledFile));
        if (!text) return std::nullopt;
        text->resize(std::min(text->size(), text->find('\0')));
        if (text->empty()) return std::nullopt;
        return text;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

// [.other_dics] with every installed entry still free; nothing when there is none.
void appendOtherDics(std::string_view folder, const std::string& installed) {
    std::size_t star = installed.find('*');
    const auto path = cfgPath(folder);
    if (star == std::string::npos || !path) return;
    std::string text(kOtherDicsHeader);
    while (star != std::string::npos) {
        const std::size_t newline = installed.find('\n', star);
        if (newline == std::string::npos) break;
        text += std::string(kMembersKey) + "=" + installed.substr(star + 1, newline - star);
        star = installed.find('*', newline);
    }
    platform::appendLines(*path, text);
}

} // namespace

bool startsWithDics(std::string_view line) {
    constexpr std::string_view kMembers = "dics=";
    if (line.size() < kMembers.size()) return false;
    for (std::size_t i = 0; i < kMembers.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != kMembers[i]) return false;
    return true;
}

std::vector<std::string_view> memberNames(std::string_view members) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while ((start = members.find_first_not_of(", \n", start)) != std::string_view::npos) {
        const std::size_t end = std::min(members.find_first_of(", \n", start), members.size());
        names.push_back(members.substr(start, end - start));
        start = end;
    }
    return names;
}

int copyDicSections(std::string_view folder, std::string_view fileName, std::string& installed) {
    const auto text = readText(pathInFolder(folder, fileName));
    const auto path = cfgPath(folder);
    // Opening for appending creates duvevo.cfg, and tells whether it can be written.
    if (!text || !path || !platform::appendTextFile(*path, "")) return 0;
    const std::string sections = groupSections(*text, installed);
    if (!sections.empty()) platform::appendLines(*path, sections);
    return 1;
}

int mergeInstalledDics(std::string_view folder, std::string_view list) {
    auto installed = installedText(folder);
    if (!installed) return 1;
    for (std::size_t slash; (slash = list.find('/')) != std::string_view::npos;
         list.remove_prefix(slash + 1)) {
        if (!copyDicSections(folder, list.substr(0, slash), *installed)) return 0;
    }
    appendOtherDics(folder, *installed);
    return 1;
}

} // namespace zet::appconfig
