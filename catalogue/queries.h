// The catalogue queries: the product header, and the n-th dictionary selected for installation.
// Both read the catalogue into the module catalogue, which the latest readable file replaces.
#pragma once

#include "catalogue/reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace zet::catalogue {

// Whether the mask selects the dictionary at `position`: its character there is "1". No mask
// selects position -1, which a line that does not qualify gives.
bool isSelected(int position, std::string_view mask);

// Reads the catalogue at `path` into the module catalogue; its header, which stays until the
// next read, or null when the read failed (the file cannot be opened, or its header line does
// not qualify).
const CatalogueHeader* loadCatalogueHeader(const std::string& path);

// Reads the catalogue at `path` again and finds the n-th selected dictionary in file order (n
// read from `index` as atoi reads it), where a dictionary is selected when the mask's character
// at its position is "1", into `entry`, a new one; false when there is none. The read's outcome
// does not matter: a file that cannot be opened leaves the earlier catalogue to answer from, one
// that fails after opening leaves an empty one.
bool findSelectedDictionary(const std::string& path, std::string_view mask, std::string_view index,
                            DictionaryEntry& entry);

} // namespace zet::catalogue
