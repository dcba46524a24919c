#include "appconfig/removal.h"

#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/textrules.h"

#include <optional>
#include <string>
#include <utility>

namespace zet::appconfig {

namespace {

// duvevo.cfg as it is edited: an 8-bit file as its bytes; a UTF-16LE file with every unit
// outside ASCII as three bytes of 0x80 and more, so that each unit comes back as it was, no
// such unit reads as a character of the file's structure, and equal units are equal bytes.
struct CfgText {
    bool utf16 = false;
    std::string text;
    std::string oddByte; // the unpaired last byte of a UTF-16LE file, kept as it is
};

void appendUnit(std::string& text, unsigned unit) {
    const char bytes[3] = {static_cast<char>(0xE0 | unit >> 12),
                           static_cast<char>(0x80 | (unit >> 6 & 0x3F)),
                           static_cast<char>(0x80 | (unit & 0x3F))};
    if (unit < 0x80)
        text += static_cast<char>(unit);
    else
        text.append(bytes, sizeof bytes);
}

// UTF-16LE bytes in the edited form.
std::string fromUtf16(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        appendUnit(text, static_cast<unsigned char>(bytes[i]) |
                             static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    return text;
}

std::string toUtf16(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned unit = static_cast<unsigned char>(text[i]);
        if (unit >= 0x80 && i + 2 < text.size()) {
            unit = (unit & 0x0F) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6 |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3F);
            i += 2;
        }
        const char pair[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        bytes.append(pair, sizeof pair);
    }
    return bytes;
}

CfgText decoded(std::string_view bytes) {
    if (!bytes.starts_with(platform::kUtf16Mark)) return {false, std::string(bytes), {}};
    bytes.remove_prefix(platform::kUtf16Mark.size());
    return {true, fromUtf16(bytes), std::string(bytes.substr(bytes.size() & ~std::size_t{1}))};
}

// Makes the edited text the file's bytes again.
void encode(const CfgText& file, std::string& text) {
    if (!file.utf16) return;
    std::string bytes(platform::kUtf16Mark);
    bytes += toUtf16(text);
    bytes += file.oddByte;
    text = std::move(bytes);
}

// A text of the plug-in's own kind (ANSI code page) in the edited form of the file.
std::string editedForm(std::string_view text, bool utf16) {
    return utf16 ? fromUtf16(platform::utf16FromAnsi(text)) : std::string(text);
}

// The profile calls' reading of a line: blanks (Ctrl-Z among them) around names and values do
// not count, and a name or value ends at its first NUL.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == platform::kTextModeEnd;
}

std::string_view trimmed(std::string_view text) {
    text = platform::beforeFirstNul(text);
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The next line of `text`, taken off it with its line end: CR LF, LF or a lone CR, as the
// profile calls end lines; or, `lfOnly`, as the installed-list merge read them (in text mode,
// where a lone CR is text of its line: takeLine).
std::string_view nextLine(std::string_view& text, bool lfOnly) {
    if (lfOnly) return takeLine(text);
    std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos)
        end = text.size();
    else
        end += text.substr(end, 2) == "\r\n" ? 2 : 1;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end);
    return line;
}

std::string_view content(std::string_view line) {
    return line.substr(0, line.find_first_of("\r\n"));
}

// The section name of a header line ("[name]", up to the last "]").
std::optional<std::string_view> headerName(std::string_view line) {
    line = trimmed(content(line));
    const std::size_t close = line.rfind(']');
    if (!line.starts_with('[') || close == 0 || close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

// A group header as the installed-list merge copied it: by its section name, or, where it has
// none, by the whole line as the merge read it from its file, without the line end.
std::string_view appendedHeader(std::string_view text) {
    const auto name = headerName(text);
    return name ? *name : text;
}

// The section a line of duvevo.cfg opens, if it opens one: as the profile calls find headers
// (after blanks too), or, `asAppended`, as the installed-list merge copied sections (from a line
// that starts with "[" to the next, which it wrote with CR LF for LF).
std::optional<std::string_view> opened(std::string_view line, bool asAppended) {
    if (!asAppended) return headerName(line);
    if (!opensSection(line)) return std::nullopt;
    if (line.ends_with("\r\n"))
        line.remove_suffix(2);
    else if (line.ends_with('\n'))
        line.remove_suffix(1);
    return appendedHeader(line);
}

// Where the value of a member line ("Dics=" in any letter case) starts.
std::optional<std::size_t> membersValue(std::string_view line) {
    const std::string_view text = content(line);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos ||
        !sameIgnoringCase(trimmed(text.substr(0, equals)), kMembersKey))
        return std::nullopt;
    return equals + 1;
}

// The members of a value without `name`, joined by ","; `removed` tells whether it was there.
// Each member is compared without its blanks.
std::string otherMembers(std::string_view list, std::string_view name, bool& removed) {
    std::string members;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view member = trimmed(list.substr(start, comma - start));
        if (member == name) {
            removed = true;
        } else if (!member.empty()) {
            if (!members.empty()) members += ',';
            members += member;
        }
        start = comma + 1;
    }
    return members;
}

// Whether `names` (each ended by a line feed, which no name holds) holds `section`.
bool namedIn(std::string_view section, std::string_view names) {
    for (std::size_t end; (end = names.find('\n')) != std::string_view::npos;
         names.remove_prefix(end + 1))
        if (sameIgnoringCase(section, names.substr(0, end))) return true;
    return false;
}

// A section of the edited text as far as it has been read: where it starts in the new text, and
// what decides whether it stays.
struct Section {
    std::size_t start = 0;
    bool named = false;       // one of the sections taken out whole
    bool group = false;       // a group section the member is taken out of
    bool removed = false;     // the member was among its members
    bool membersLeft = false; // it has other members
};

// Rewrites duvevo.cfg without the sections `sections` names (each name ended by a line feed)
// and without the member `member` (when not empty) of every group section: a member line left
// empty goes, one that keeps other members is written as the group merge writes it
// ("Dics=a,b"), and a group section goes whole when this leaves it without members. The lines
// before the first header pass unchanged. True when nothing had to change or the new text was
// written.
bool editSections(const std::string& path, bool asAppended, std::string_view member,
                  std::string_view sections) {
    const auto bytes = platform::readFileBytes(path);
    // Nothing to take out of a missing file; one that cannot be read keeps what it holds.
    if (!bytes) return !platform::fileExists(path);
    const CfgText file = decoded(*bytes);
    const std::string name = editedForm(member, file.utf16);
    std::string wanted;
    for (std::size_t end; (end = sections.find('\n')) != std::string_view::npos;
         sections.remove_prefix(end + 1))
        (wanted += editedForm(sections.substr(0, end), file.utf16)) += '\n';
    std::string result;
    Section section;
    const auto close = [&] {
        if (section.named || (section.removed && !section.membersLeft))
            result.resize(section.start);
    };
    for (std::string_view text = file.text; !text.empty();) {
        const std::string_view line = nextLine(text, asAppended);
        if (const auto header = opened(line, asAppended)) {
            close();
            section = {result.size(), namedIn(*header, wanted),
                       !member.empty() && header->starts_with('.')};
        } else if (const auto value = section.group ? membersValue(line) : std::nullopt) {
            bool removed = false;
            const std::string members = otherMembers(content(line).substr(*value), name, removed);
            section.membersLeft = section.membersLeft || !members.empty();
            if (removed) {
                section.removed = true;
                if (!members.empty())
                    ((result += line.substr(0, *value)) += members) +=
                        line.substr(content(line).size());
                continue;
            }
        }
        result += line;
    }
    close();
    if (result == file.text) return true;
    encode(file, result);
    return platform::writeFileBytes(path, result);
}

} // namespace

bool removeDicFromGroups(std::string_view folder, std::string_view name) {
    const auto path = cfgPath(folder);
    if (!path) return false;
    return name.empty() || editSections(*path, false, name, {});
}

bool removeListedGroups(std::string_view folder, std::string_view list) {
    const auto path = cfgPath(folder);
    if (!path) return false;
    // The group headers of the listed files, named as the copies the installed-list merge made
    // of them are.
    std::string names(kOtherDicsSection);
    names += '\n';
    for (std::size_t slash; (slash = list.find('/')) != std::string_view::npos;
         list.remove_prefix(slash + 1)) {
        const auto text = readLines(pathInFolder(folder, list.substr(0, slash)));
        if (!text) return false;
        GroupSectionWalk walk;
        for (std::string_view rest = *text; !rest.empty();) {
            const std::string_view line = takeLine(rest);
            if (walk.next(line) == SectionLine::groupHeader)
                (names +=
                 appendedHeader(line.substr(0, line.size() - (line.ends_with('\n') ? 1 : 0)))) +=
                    '\n';
        }
    }
    return editSections(*path, true, {}, names);
}

} // namespace zet::appconfig
