// The installation media beside the catalogue, as updateDuvEvoCfg will find them in the
// installation folder: groups.ini, grnames.ini, the dictionary configuration files and
// instdics.dat, checked with the merges' own reading rules.
#pragma once

#include "tools/zetdll-check/cataloguecheck.h"
#include "tools/zetdll-check/findings.h"

#include <string>

namespace zetcheck {

// False when the folder cannot be listed.
bool checkMedia(const std::string& folder, const std::string& cataloguePath,
                const CatalogueCheck& catalogue, Findings& findings);

} // namespace zetcheck
