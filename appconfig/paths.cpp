#include "appconfig/paths.h"

#include "appconfig/rules.h"
#include "platform/files.h"
#include "platform/textrules.h"

namespace zet::appconfig {

namespace {

std::optional<std::string> joined(std::string_view folder, bool separator, std::string_view name) {
    std::string path(folder);
    if (separator) path += platform::kPathSeparator;
    path += name;
    if (!platform::pathFits(path)) return std::nullopt;
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

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        const std::string_view line = text.substr(0, end);
        const std::string_view kept = platform::beforeFirstNul(line);
        lines.emplace_back(kept);
        if (kept.size() < line.size() && newline != std::string_view::npos) lines.back() += '\n';
        text.remove_prefix(end);
    }
    return lines;
}

} // namespace zet::appconfig
