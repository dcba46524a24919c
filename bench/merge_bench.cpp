// The configuration merge: the group merge of many dictionaries one call at a time, and the
// installed-list merge of many configuration files in one call, both through the export.
#include "bench/inputs.h"
#include "bench/merge_workload.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void update(const std::string& folder, const std::string& argument) {
    zettest::Host host;
    host.args({folder, argument}).call(updateDuvEvoCfg);
    benchmark::DoNotOptimize(host.top);
}

// updateDuvEvoCfg for d0 ... d<n-1> into a duvevo.cfg that starts empty and ends with
// 3 n groups of six keys each.
void groupMerge(benchmark::State& state) {
    zetbench::GroupMergeWorkload workload(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) workload.run();
    state.counters["groups"] = static_cast<double>(workload.groups());
    state.counters["cfgBytes"] = static_cast<double>(workload.cfgBytes());
}
BENCHMARK(groupMerge)->Arg(25)->Arg(100)->Unit(benchmark::kMillisecond);

// One updateDuvEvoCfg with a list of n configuration files of 4 groups of 6 members each.
void installedMerge(benchmark::State& state) {
    constexpr std::size_t kGroups = 4;
    constexpr std::size_t kMembers = 6;
    const auto files = static_cast<std::size_t>(state.range(0));
    zettest::TempDir folder;
    std::string list = "/";
    for (std::size_t f = 0; f < files; ++f) {
        const std::string name = "c" + std::to_string(f) + ".cfg";
        zettest::writeFile(folder.path() / name, zetbench::makeDicCfg(f, kGroups, kMembers));
        list += name + "/";
    }
    zettest::writeFile(folder.path() / "instdics.dat",
                       zetbench::makeInstalledDics(files, kGroups, kMembers));
    for (auto _ : state) {
        std::filesystem::remove(folder.path() / "duvevo.cfg");
        update(folder.str(), list);
    }
    state.counters["cfgBytes"] =
        static_cast<double>(std::filesystem::file_size(folder.path() / "duvevo.cfg"));
}
BENCHMARK(installedMerge)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
