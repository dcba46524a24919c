#include "appconfig/removal.h"

#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"

#include <optional>
#include <string>
#include <vector>

namespace zet::appconfig {

namespace {

// duvevo.cfg is edited in code units: a byte each in an 8-bit file, a UTF-16 unit each after the
// mark of a UTF-16LE file, so that every line this leaves alone keeps its bytes.
using Units = std::u16string;
using UnitsView = std::u16string_view;

struct CfgText {
    bool utf16 = false;
    Units units;
    std::string oddByte; // the unpaired last byte of a UTF-16LE file, kept as it is
};

CfgText decoded(std::string_view bytes) {
    CfgText text;
    text.utf16 = bytes.starts_with(platform::kUtf16Mark);
    if (!text.utf16) {
        for (const char c : bytes)
            text.units += static_cast<char16_t>(static_cast<unsigned char>(c));
        return text;
    }
    bytes.remove_prefix(platform::kUtf16Mark.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (bytes.size() % 2 != 0) text.oddByte = bytes.substr(bytes.size() - 1);
    return text;
}

std::string encoded(const CfgText& text, UnitsView units) {
    std::string bytes(text.utf16 ? platform::kUtf16Mark : "");
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        if (text.utf16) bytes += static_cast<char>(unit >> 8);
    }
    return bytes + text.oddByte;
}

// A text of the plug-in's own kind (ANSI code page) in the units of the file.
Units unitsOf(std::string_view text, bool utf16) {
    return decoded(utf16 ? std::string(platform::kUtf16Mark) + platform::utf16FromAnsi(text)
                         : std::string(text))
        .units;
}

// The profile calls' reading of a line: blanks (Ctrl-Z among them) around names and values do
// not count, and a name or value ends at its first NUL.
bool isBlank(char16_t c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1a;
}

UnitsView trimmed(UnitsView text) {
    text = text.substr(0, text.find(u'\0'));
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Names compare ignoring the letter case of A to Z only.
char16_t lowered(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool sameName(UnitsView a, UnitsView b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowered(a[i]) != lowered(b[i])) return false;
    return true;
}

// A line with its line end (CR LF, LF or a lone CR, as the profile calls end lines).
std::vector<UnitsView> linesOf(UnitsView text) {
    std::vector<UnitsView> lines;
    while (!text.empty()) {
        std::size_t end = text.find_first_of(u"\r\n");
        if (end == UnitsView::npos)
            end = text.size();
        else
            end += text.substr(end, 2) == u"\r\n" ? 2 : 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

UnitsView withoutLineEnd(UnitsView line) {
    return line.substr(0, line.find_first_of(u"\r\n"));
}

// The section name of a header line ("[name]", up to the last "]").
std::optional<UnitsView> headerName(UnitsView line) {
    line = trimmed(withoutLineEnd(line));
    const std::size_t close = line.rfind(u']');
    if (!line.starts_with(u'[') || close == 0 || close == UnitsView::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isGroupSection(UnitsView name) {
    return name.starts_with(u'.');
}

// Where the value of a member line ("Dics=" in any letter case) starts.
std::optional<std::size_t> membersValue(UnitsView line, UnitsView key) {
    const UnitsView text = withoutLineEnd(line);
    const std::size_t equals = text.find(u'=');
    if (equals == UnitsView::npos || trimmed(text).starts_with(u';') ||
        !sameName(trimmed(text.substr(0, equals)), key))
        return std::nullopt;
    return equals + 1;
}

// The lines that one section holds, its header first (none before the first header).
struct Section {
    std::optional<UnitsView> name;
    std::vector<UnitsView> lines;
};

// Sections as the profile calls find them (a header may follow blanks), or, `asAppended`, as
// the installed-list merge copies them: each from a line that starts with "[" to the next.
std::vector<Section> sectionsOf(UnitsView text, bool asAppended) {
    std::vector<Section> sections(1);
    for (const UnitsView line : linesOf(text)) {
        const auto name = headerName(line);
        if (asAppended ? line.starts_with(u'[') : name.has_value())
            sections.push_back({name ? *name : withoutLineEnd(line), {}});
        sections.back().lines.push_back(line);
    }
    return sections;
}

// The members of a member line's value without `name`, joined by ","; `removed` tells whether
// it was there. Each member is compared without its blanks.
Units otherMembers(UnitsView list, UnitsView name, bool& removed) {
    Units members;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(u',', start), list.size());
        const UnitsView member = trimmed(list.substr(start, comma - start));
        if (member == name) {
            removed = true;
        } else if (!member.empty()) {
            if (!members.empty()) members += u',';
            members += member;
        }
        start = comma + 1;
    }
    return members;
}

// The section's lines with the member `name` taken out; nullopt when it holds no such member,
// empty when it then has no member left. A member line left empty goes; one that keeps other
// members is written as the group merge writes it, "Dics=a,b".
std::optional<Units> withoutMember(const Section& section, UnitsView name, UnitsView key) {
    Units kept(section.lines.front());
    bool removedAny = false;
    bool left = false;
    for (std::size_t i = 1; i < section.lines.size(); ++i) {
        const UnitsView line = section.lines[i];
        const auto value = membersValue(line, key);
        if (!value) {
            kept += line;
            continue;
        }
        const UnitsView content = withoutLineEnd(line);
        bool removed = false;
        const Units members = otherMembers(content.substr(*value), name, removed);
        left = left || !members.empty();
        removedAny = removedAny || removed;
        if (!removed)
            kept += line;
        else if (!members.empty())
            kept += Units(content.substr(0, *value)) + members + Units(line.substr(content.size()));
    }
    if (!removedAny) return std::nullopt;
    return left ? kept : Units();
}

} // namespace

bool removeDicFromGroups(std::string_view folder, std::string_view name) {
    const auto path = cfgPath(folder);
    if (!path) return false;
    const auto bytes = platform::readFileBytes(*path);
    if (!bytes || name.empty()) return true;
    const CfgText text = decoded(*bytes);
    const Units member = unitsOf(name, text.utf16);
    const Units key = unitsOf(kMembersKey, text.utf16);
    Units result;
    bool changed = false;
    for (const Section& section : sectionsOf(text.units, false)) {
        const auto kept = section.name && isGroupSection(*section.name)
                              ? withoutMember(section, member, key)
                              : std::nullopt;
        changed = changed || kept.has_value();
        if (kept)
            result += *kept;
        else
            for (const UnitsView line : section.lines) result += line;
    }
    return !changed || platform::writeFileBytes(*path, encoded(text, result));
}

bool removeListedGroups(std::string_view folder, std::string_view list) {
    const auto path = cfgPath(folder);
    if (!path) return false;
    // The group headers of the listed files, as the installed-list merge copies them.
    std::vector<std::string> headers{"[" + std::string(kOtherDicsSection) + "]"};
    for (std::size_t slash; (slash = list.find('/')) != std::string_view::npos;
         list.remove_prefix(slash + 1)) {
        const auto file = readText(pathInFolder(folder, list.substr(0, slash)));
        if (!file) return false;
        GroupSectionWalk walk;
        for (const std::string& line : textLines(*file))
            if (walk.next(line) == SectionLine::groupHeader) headers.push_back(line);
    }
    const auto bytes = platform::readFileBytes(*path);
    if (!bytes) return true;
    const CfgText text = decoded(*bytes);
    std::vector<Units> names;
    for (const std::string& header : headers) {
        const Units line = unitsOf(header, text.utf16);
        const auto name = headerName(line);
        names.emplace_back(name ? *name : withoutLineEnd(line));
    }
    Units result;
    bool changed = false;
    for (const Section& section : sectionsOf(text.units, true)) {
        bool listed = false;
        for (const Units& name : names)
            listed = listed || (section.name && sameName(*section.name, name));
        changed = changed || listed;
        if (!listed)
            for (const UnitsView line : section.lines) result += line;
    }
    return !changed || platform::writeFileBytes(*path, encoded(text, result));
}

} // namespace zet::appconfig
