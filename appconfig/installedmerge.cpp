#include "appconfig/installedmerge.h"

#include "appconfig/cfgkeys.h"
#include "appconfig/paths.h"
#include "appconfig/rules.h"
#include "platform/files.h"

#include <optional>

namespace zet::appconfig {

namespace {

// The display names of the catch-all group.
constexpr char kOtherDicsNames[] = "en=Other dictionaries\nfi=Muut sanakirjat\n";

// Takes the installed entry of `name`, if there is one still free.
bool takeInstalled(std::string& installed, std::string_view name) {
    const std::size_t entry = findInstalledEntry(installed, name);
    if (entry == std::string::npos) return false;
    installed[entry] = '+';
    return true;
}

// Adds one "Dics=" line for each installed member of a member line; true when any was taken.
bool takeMembers(std::string_view membersLine, std::string& installed, std::string& section) {
    bool taken = false;
    forEachMemberName(membersLine, [&](std::string_view name) {
        if (takeInstalled(installed, name)) {
            (((section += kMembersKey) += '=') += name) += '\n';
            taken = true;
        }
    });
    return taken;
}

// What the file adds to duvevo.cfg: every group section with at least one member taken.
std::string groupSections(std::string_view text, std::string& installed) {
    std::string output;
    std::string section;
    bool pending = false;
    GroupSectionWalk walk;
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        const SectionLine kind = walk.next(line);
        if (kind == SectionLine::ignored) continue;
        // The last line of a file may lack its newline; copied bare, it would run into
        // whatever is appended next.
        const std::string_view newline = line.ends_with('\n') ? "" : "\n";
        if (kind == SectionLine::groupHeader || kind == SectionLine::otherHeader) {
            if (pending) output += section;
            pending = false;
            if (kind == SectionLine::groupHeader) (section = line) += newline;
        } else if (kind == SectionLine::text) {
            (section += line) += newline;
        } else if (takeMembers(line, installed, section)) {
            pending = true;
        }
    }
    if (pending) output += section;
    return output;
}

// The text of instdics.dat as the merge searches it; nullopt when it cannot be read or is empty.
std::optional<std::string> installedText(std::string_view folder) {
    auto text = readText(pathInFolder(folder, kInstalledFile));
    if (!text) return std::nullopt;
    cutAtFirstNul(*text);
    if (text->empty()) return std::nullopt;
    return text;
}

// [.other_dics] with every installed entry still free; nothing when there is none.
void appendOtherDics(std::string_view folder, const std::string& installed) {
    const auto path = cfgPath(folder);
    if (installed.find(kInstalledMark) == std::string::npos || !path) return;
    std::string text = "[";
    ((text += kOtherDicsSection) += "]\n") += kOtherDicsNames;
    forEachInstalledName(installed,
                         [&](std::string_view name) { ((text += kMembersKey) += '=') += name; });
    // The answer is the walk's: a catch-all group that cannot be written is left out silently.
    (void)platform::appendLines(*path, text);
}

} // namespace

bool copyDicSections(std::string_view folder, std::string_view fileName, std::string& installed) {
    const auto text = readLines(pathInFolder(folder, fileName));
    const auto path = cfgPath(folder);
    // Opening for appending creates duvevo.cfg, and tells whether it can be written.
    if (!text || !path || !platform::appendTextFile(*path, "")) return false;
    const std::string sections = groupSections(*text, installed);
    // The probe above is the answer: a write that fails after it loses these sections alone.
    if (!sections.empty()) (void)platform::appendLines(*path, sections);
    return true;
}

bool mergeInstalledDics(std::string_view folder, std::string_view list) {
    auto installed = installedText(folder);
    if (!installed) return true;
    for (std::size_t slash; (slash = list.find('/')) != std::string_view::npos;
         list.remove_prefix(slash + 1)) {
        if (!copyDicSections(folder, list.substr(0, slash), *installed)) return false;
    }
    appendOtherDics(folder, *installed);
    return true;
}

} // namespace zet::appconfig
