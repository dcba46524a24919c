#include "appconfig/paths.h"

#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/textrules.h"

namespace zet::appconfig {

namespace {

std::optional<std::string> joined(std::string_view folder, bool separator, std::string_view name) {
    std::optional<std::string> path(std::in_place, folder);
    if (separator) *path += platform::kPathSeparator;
    *path += name;
    if (!platform::pathFits(*path)) path.reset();
    return path;
}

} // namespace

std::optional<std::string> pathInFolder(std::string_view folder, std::string_view name) {
    return joined(folder, !platform::endsInSeparator(folder), name);
}

std::optional<std::string> cfgPath(std::string_view folder) {
    return joined(folder, true, kCfgFile);
}

std::optional<std::string> groupNamesPath(std::string_view folder) {
    return joined(folder, true, kGroupNamesFile);
}

std::optional<std::string> readText(const std::optional<std::string>& path) {
    if (!path) return std::nullopt;
    return platform::readTextFile(*path);
}

namespace {

// Cuts every line at its first NUL, keeping its newline: one pass over a text that holds one.
void cutLinesAtNul(std::string& text) {
    if (text.find('\0') == std::string::npos) return;
    std::size_t kept = 0;
    bool cut = false; // after a NUL of the line
    for (const char c : text) {
        cut = c != '\n' && (cut || c == '\0');
        if (!cut) text[kept++] = c;
    }
    text.resize(kept);
}

} // namespace

std::optional<std::string> readLines(const std::optional<std::string>& path) {
    auto text = readText(path);
    if (text) cutLinesAtNul(*text);
    return text;
}

std::string_view takeLine(std::string_view& text) {
    const std::string_view line = text.substr(0, std::min(text.find('\n'), text.size() - 1) + 1);
    text.remove_prefix(line.size());
    return line;
}

std::vector<std::string> textLines(std::string_view text) {
    std::string lines(text);
    cutLinesAtNul(lines);
    std::vector<std::string> taken;
    for (std::string_view rest = lines; !rest.empty();) taken.emplace_back(takeLine(rest));
    return taken;
}

} // namespace zet::appconfig
