#include "catalogue/queries.h"

#include "catalogue/text.h"
#include "catalogue/timestamp.h"
#include "plugin/frame.h"

#include <string>

namespace zet::catalogue {

namespace {

// The module catalogue with what it was read from: the installer's walk reads the same file
// again for every dictionary, and only the first read of it needs a parse.
RememberedCatalogue& moduleState() {
    static RememberedCatalogue remembered;
    return remembered;
}

// Pops path, mask and index and reads the catalogue again. The read's outcome is not looked
// at: a file that cannot be opened leaves the earlier catalogue to answer from, one that
// fails after opening leaves an empty one.
const DictionaryEntry* popAndFindEntry() {
    const std::string path = popString();
    const std::string mask = popString();
    const std::string index = popString();
    CatalogueHeader header;
    readCatalogue(path, header, moduleState());
    return findSelectedEntry(moduleCatalogue(), mask, index);
}

void pushNotFound() {
    pushString("0");
    pushString("");
}

} // namespace

const DictionaryCatalogue& moduleCatalogue() {
    return moduleState().catalogue;
}

const DictionaryEntry* findSelectedEntry(const DictionaryCatalogue& catalogue,
                                         std::string_view mask, std::string_view index) {
    const int wanted = parseNumber(index);
    int selected = 0;
    for (const DictionaryEntry& entry : catalogue.entries) {
        const bool isSelected = entry.position >= 0 &&
                                static_cast<std::size_t>(entry.position) < mask.size() &&
                                mask[static_cast<std::size_t>(entry.position)] == '1';
        if (!isSelected) continue;
        if (selected == wanted) return &entry;
        ++selected;
    }
    return nullptr;
}

void loadDicInfo() {
    const std::string path = popString();
    CatalogueHeader header;
    if (!readCatalogue(path, header, moduleState())) {
        pushString("failed");
        return;
    }
    pushString(header.fields[7]);
    pushString(header.fields[6]);
    pushNumber(header.number);
    for (int k = 4; k >= 0; --k) pushString(header.fields[static_cast<std::size_t>(k)]);
    pushString("ok");
}

void dicInfo() {
    const DictionaryEntry* entry = popAndFindEntry();
    if (entry == nullptr) return pushNotFound();
    pushNumber(entry->version);
    pushString(entry->displayName);
}

void dicFiles() {
    const DictionaryEntry* entry = popAndFindEntry();
    if (entry == nullptr) return pushNotFound();
    for (const DictionaryFile& file : entry->files) {
        pushString(fileTimeText(file.modified));
        pushString(file.name);
    }
    pushNumber(static_cast<int>(entry->files.size()));
    pushString(entry->shortName);
}

} // namespace zet::catalogue
