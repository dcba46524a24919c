#include "bench/merge_workload.h"

#include "appconfig/groupmerge.h"
#include "bench/inputs.h"
#include "platform/ini.h"
#include "tests/support/host.h"

#include <filesystem>

namespace zetbench {

GroupMergeWorkload::GroupMergeWorkload(std::size_t dictionaries, std::filesystem::path folder)
    : folder_(std::move(folder)) {
    if (folder_.empty()) folder_ = temporary_.emplace().path();
    std::filesystem::create_directories(folder_);
    zettest::writeFile(folder_ / "groups.ini", makeGroupsIni(dictionaries, kGroupsEach));
    zettest::writeFile(folder_ / "grnames.ini", makeGroupNamesIni(dictionaries * kGroupsEach));
    for (std::size_t d = 0; d < dictionaries; ++d) names_.push_back("d" + std::to_string(d));
}

void GroupMergeWorkload::run() {
    std::filesystem::remove(folder_ / "duvevo.cfg");
    for (const std::string& name : names_) {
        zettest::Host host;
        host.args({folder_.string(), name}).call(updateDuvEvoCfg);
    }
}

void GroupMergeWorkload::runInPlace() {
    std::filesystem::remove(folder_ / "duvevo.cfg");
    for (const std::string& name : names_) {
        zet::platform::IniSession session;
        zet::appconfig::mergeDicIntoGroups(folder_.string(), name);
        (void)session.commit(); // as the export's answer, the timing ignores it
    }
}

std::size_t GroupMergeWorkload::cfgBytes() const {
    return static_cast<std::size_t>(std::filesystem::file_size(folder_ / "duvevo.cfg"));
}

} // namespace zetbench
