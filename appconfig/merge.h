// The configuration export's work: enter dictionaries and their groups into duvevo.cfg.
#pragma once

namespace zet::appconfig {

void updateDuvEvoCfg();

} // namespace zet::appconfig
