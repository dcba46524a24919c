// The three catalogue exports' work: product header, and the n-th selected dictionary.
#pragma once

#include "catalogue/reader.h"

#include <string_view>

namespace zet::catalogue {

// The catalogue that the latest query able to open its file left; empty at load.
const DictionaryCatalogue& moduleCatalogue();

// The entry that is the n-th selected one in file order (n read from `index` as atoi reads
// it), where an entry is selected when the mask's character at its position is "1". Null
// when there is none.
const DictionaryEntry* findSelectedEntry(const DictionaryCatalogue& catalogue,
                                         std::string_view mask, std::string_view index);

void loadDicInfo();
void dicInfo();
void dicFiles();

} // namespace zet::catalogue
