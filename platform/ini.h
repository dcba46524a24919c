// INI files, one key at a time, with the behaviour of the Windows profile calls: section and
// key names match without regard to letter case, the first matching section and key count,
// and a value reads back without surrounding blanks or one pair of enclosing quotes.
#pragma once

#include <string>
#include <string_view>

namespace zet::platform {

// The value of `key` in `section`, whole however long; empty when the file, the section or
// the key is missing.
std::string readIniString(const std::string& path, std::string_view section, std::string_view key);

// Sets `key` in `section` to `value`, creating file, section and key as needed: an existing
// key is replaced in place, a new key goes to the end of its section, a new section to the
// end of the file. False when the file cannot be written.
bool writeIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace zet::platform
