// The catalogue queries: the product header, and the n-th dictionary selected for installation.
// Both read the catalogue into the module catalogue, which the latest readable file replaces.
#pragma once

#include "catalogue/reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace zet::catalogue {

// The catalogue that the latest query able to open its file left; empty at load.
const DictionaryCatalogue& moduleCatalogue();

// Reads the catalogue at `path` into the module catalogue; its header, or nothing when the
// read failed (the file cannot be opened, or its header line does not qualify).
std::optional<CatalogueHeader> loadCatalogueHeader(const std::string& path);

// Reads the catalogue at `path` again and finds the `index`-th selected dictionary in it (see
// findSelectedEntry). The read's outcome does not matter: a file that cannot be opened leaves
// the earlier catalogue to answer from, one that fails after opening leaves an empty one.
const DictionaryEntry* findSelectedDictionary(const std::string& path, std::string_view mask,
                                              std::string_view index);

// The entry that is the n-th selected one in file order (n read from `index` as atoi reads
// it), where an entry is selected when the mask's character at its position is "1". Null
// when there is none.
const DictionaryEntry* findSelectedEntry(const DictionaryCatalogue& catalogue,
                                         std::string_view mask, std::string_view index);

} // namespace zet::catalogue
