#include "catalogue/queries.h"

#include "catalogue/text.h"

namespace zet::catalogue {

namespace {

// The module catalogue with what it was read from: the installer's walk reads the same file
// again for every dictionary, and only the first read of it indexes the lines.
RememberedCatalogue& moduleState() {
    static RememberedCatalogue remembered;
    return remembered;
}

// The slot of the n-th selected dictionary of the remembered catalogue.
std::optional<std::size_t> findSelectedSlot(RememberedCatalogue& remembered, std::string_view mask,
                                            std::string_view index) {
    const int wanted = parseNumber(index);
    const std::vector<int>& positions = slotPositions(remembered);
    int selected = 0;
    for (std::size_t slot = 0; slot < positions.size(); ++slot) {
        if (!isSelected(positions[slot], mask)) continue;
        if (selected == wanted) return slot;
        ++selected;
    }
    return std::nullopt;
}

} // namespace

bool isSelected(int position, std::string_view mask) {
    return position >= 0 && static_cast<std::size_t>(position) < mask.size() &&
           mask[static_cast<std::size_t>(position)] == '1';
}

const CatalogueHeader* loadCatalogueHeader(const std::string& path) {
    RememberedCatalogue& remembered = moduleState();
    return rereadCatalogue(path, remembered) ? &remembered.header : nullptr;
}

bool findSelectedDictionary(const std::string& path, std::string_view mask, std::string_view index,
                            DictionaryEntry& entry) {
    RememberedCatalogue& remembered = moduleState();
    (void)rereadCatalogue(path, remembered);
    const std::optional<std::size_t> slot = findSelectedSlot(remembered, mask, index);
    if (!slot) return false;
    rememberedEntry(remembered, *slot, entry);
    return true;
}

} // namespace zet::catalogue
