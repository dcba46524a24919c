// The catalogue's files as ${zetdll::InstallDictionary} (Include/zetdll.nsh) looks for them in
// the folder it copies from: a dictionary one of whose files it cannot find there as written is
// installed not at all.
#pragma once

#include "tools/zetdll-check/cataloguecheck.h"
#include "tools/zetdll-check/findings.h"

#include <string>
#include <string_view>

namespace zetcheck {

// A name the macro finds as written: no folder, drive or wildcard in it, no character Windows
// refuses in a file name, not "." or "..", and no dot or blank at its end (Windows drops
// those, so that the file found has another name). The empty name has a finding of its own.
[[nodiscard]] bool isPlainFileName(std::string_view name);

// Every file of a filled dictionary whose name is not plain, at its catalogue line.
void checkFileNames(const std::string& cataloguePath, const CatalogueCheck& check,
                    Findings& findings);

// Every plain-named file of a dictionary the mask selects (every one without a mask) that the
// folder lacks or holds as a folder; letter case does not count, as on Windows. Only a folder
// that holds some file of the catalogue is the installer's media: one with no such file (the
// group tables and configuration files alone) is not checked.
void checkFilesPresent(const std::string& folder, const std::string& cataloguePath,
                       const CatalogueCheck& check, Findings& findings);

} // namespace zetcheck
