// The catalogue as the plug-in reads it, with a finding for everything the read drops, passes
// over or reads otherwise than it is written.
#pragma once

#include "catalogue/reader.h"
#include "tools/zetdll-check/findings.h"

#include <optional>
#include <string>

namespace zetcheck {

struct CatalogueCheck {
    bool read = false; // the read succeeded: the installer would get "ok"
    zet::catalogue::DictionaryCatalogue catalogue;
    std::size_t dictionaries = 0; // filled slots
    std::size_t selected = 0;     // of those, selected by the mask
    std::optional<std::string> mask;
};

CatalogueCheck checkCatalogue(const std::string& path, const std::optional<std::string>& mask,
                              Findings& findings);

} // namespace zetcheck
