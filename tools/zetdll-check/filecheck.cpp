#include "tools/zetdll-check/filecheck.h"

#include "appconfig/rules.h"
#include "catalogue/queries.h"
#include "platform/files.h"
#include "tools/common/hostpaths.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace zetcheck {

namespace {

using zet::catalogue::DictionaryEntry;

// The characters Windows takes for a folder, a drive or a wildcard, or refuses in a name.
constexpr std::string_view kNotInAName = "\\/:*?\"<>|";

bool selected(const DictionaryEntry& entry, const CatalogueCheck& check) {
    return !entry.files.empty() &&
           (!check.mask || zet::catalogue::isSelected(entry.position, *check.mask));
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = zet::platform::asciiLower(c);
    return lower;
}

// The folder's files and folders by lowered name, with whether each is a folder.
struct Listing {
    std::set<std::string> files;
    std::set<std::string> folders;
};

Listing listed(const std::string& folder) {
    Listing listing;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(zettools::fsPath(folder), error)) {
        const std::string name = lowered(zettools::pathText(item.path().filename()));
        (item.is_directory(error) ? listing.folders : listing.files).insert(name);
    }
    return listing;
}

// A catalogue file name as the folder's listing names it; nullopt when it cannot be.
std::optional<std::string> listedName(std::string_view name) {
    const auto path = zet::platform::fileNameFromText(name);
    if (!path) return std::nullopt;
    return lowered(*path);
}

} // namespace

bool isPlainFileName(std::string_view name) {
    if (name.empty()) return true;
    if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               kNotInAName.find(c) != std::string_view::npos;
    });
}

void checkFileNames(const std::string& cataloguePath, const CatalogueCheck& check,
                    Findings& findings) {
    const auto& entries = check.catalogue.entries;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        for (std::size_t f = 0; f < entries[e].files.size(); ++f) {
            const std::string& name = entries[e].files[f].name;
            if (isPlainFileName(name)) continue;
            findings.add(cataloguePath, zet::catalogue::slotLine(e), Severity::error,
                         "file-name-not-plain",
                         "file " + std::to_string(f + 1) + " of the list, " + inQuotes(name) +
                             ", is no plain file name: ${zetdll::InstallDictionary} finds no "
                             "such file and installs none of " +
                             inQuotes(entries[e].shortName));
        }
    }
}

void checkFilesPresent(const std::string& folder, const std::string& cataloguePath,
                       const CatalogueCheck& check, Findings& findings) {
    const Listing listing = listed(folder);
    const auto& entries = check.catalogue.entries;
    const auto present = [&](const zet::catalogue::DictionaryFile& file) {
        const auto name = listedName(file.name);
        return name && listing.files.contains(*name);
    };
    const bool isMedia = std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
        return std::any_of(entry.files.begin(), entry.files.end(), present);
    });
    if (!isMedia) return;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (!selected(entries[e], check)) continue;
        for (const auto& file : entries[e].files) {
            if (file.name.empty() || !isPlainFileName(file.name) || present(file)) continue;
            const auto name = listedName(file.name);
            const bool folderOfThatName = name && listing.folders.contains(*name);
            findings.add(cataloguePath, zet::catalogue::slotLine(e), Severity::error,
                         "file-missing",
                         inQuotes(file.name) +
                             (folderOfThatName ? " is a folder in the media, not a file"
                                               : " is not in the media folder") +
                             ": ${zetdll::InstallDictionary} installs none of " +
                             inQuotes(entries[e].shortName));
        }
    }
}

} // namespace zetcheck
