// Keys of the group sections of duvevo.cfg, written through the INI layer.
#pragma once

#include <string>
#include <string_view>

namespace zet::appconfig {

// Sets `key` to `value` in the section "." + group of duvevo.cfg at `cfg` (see cfgPath; nothing
// is written without one). A section name, key or value holding a line break is not written: it
// would split its line and read back as something else.
void writeCfgKey(const std::string& cfg, std::string_view group, std::string_view key,
                 std::string_view value);

// Adds `name` to the comma-separated "Dics" value of the section "." + group, after whatever
// members it has (also when `name` is one of them).
void appendToDics(const std::string& cfg, std::string_view group, std::string_view name);

} // namespace zet::appconfig
