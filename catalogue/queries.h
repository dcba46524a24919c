// The three catalogue exports' work: product header, and the n-th selected dictionary.
#pragma once

namespace zet::catalogue {

void loadDicInfo();
void dicInfo();
void dicFiles();

} // namespace zet::catalogue
