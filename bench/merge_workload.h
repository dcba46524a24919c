// The group merge that the benchmarks time: dictionaries d0, d1, ... each in three groups of
// their own, entered one updateDuvEvoCfg call at a time into a duvevo.cfg that starts empty.
#pragma once

#include "tests/support/files.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zetbench {

class GroupMergeWorkload {
  public:
    static constexpr std::size_t kGroupsEach = 3;

    // In a fresh temporary folder, or in `folder` when one is given (created when missing).
    explicit GroupMergeWorkload(std::size_t dictionaries, std::filesystem::path folder = {});

    // Removes duvevo.cfg and merges every dictionary again, each through the export; or, for
    // comparison, each written straight into duvevo.cfg as calls were before they wrote a working
    // copy and put it in place.
    void run();
    void runInPlace();

    std::size_t groups() const { return names_.size() * kGroupsEach; }
    std::size_t cfgBytes() const;

  private:
    std::optional<zettest::TempDir> temporary_;
    std::filesystem::path folder_;
    std::vector<std::string> names_;
};

} // namespace zetbench
