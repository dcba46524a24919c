#include "catalogue/queries.h"

#include "catalogue/text.h"

namespace zet::catalogue {

namespace {

// The module catalogue with what it was read from: the installer's walk reads the same file
// again for every dictionary, and only the first read of it needs a parse.
RememberedCatalogue& moduleState() {
    static RememberedCatalogue remembered;
    return remembered;
}

const DictionaryEntry* findSelectedEntry(const DictionaryCatalogue& catalogue,
                                         std::string_view mask, std::string_view index) {
    const int wanted = parseNumber(index);
    int selected = 0;
    for (const DictionaryEntry& entry : catalogue.entries) {
        if (!isSelected(entry, mask)) continue;
        if (selected == wanted) return &entry;
        ++selected;
    }
    return nullptr;
}

} // namespace

bool isSelected(const DictionaryEntry& entry, std::string_view mask) {
    return entry.position >= 0 && static_cast<std::size_t>(entry.position) < mask.size() &&
           mask[static_cast<std::size_t>(entry.position)] == '1';
}

std::optional<CatalogueHeader> loadCatalogueHeader(const std::string& path) {
    CatalogueHeader header;
    if (!rereadCatalogue(path, header, moduleState())) return std::nullopt;
    return header;
}

const DictionaryEntry* findSelectedDictionary(const std::string& path, std::string_view mask,
                                              std::string_view index) {
    CatalogueHeader header;
    rereadCatalogue(path, header, moduleState());
    return findSelectedEntry(moduleState().catalogue, mask, index);
}

} // namespace zet::catalogue
