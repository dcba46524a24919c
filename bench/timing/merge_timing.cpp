// The group merge of 100 dictionaries timed without the benchmark library, so that every build
// runs it: the Windows one under Wine beside the Linux one. Prints the best and the median of
// the runs in milliseconds, of the calls as they are and of the same merges written in place. The
// merge runs in a temporary folder, or in FOLDER.
//   zetdll-merge-timing [DICTIONARIES [RUNS [FOLDER]]]
#include "bench/merge_workload.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const std::size_t dictionaries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const std::size_t runs =
        std::max<std::size_t>(1, argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 5);
    zetbench::GroupMergeWorkload workload(dictionaries, argc > 3 ? argv[3] : "");
    // Best and median of the runs, in milliseconds.
    const auto timed = [&](auto&& body) {
        std::vector<double> times;
        for (std::size_t r = 0; r < runs; ++r) {
            const auto start = std::chrono::steady_clock::now();
            body();
            const std::chrono::duration<double, std::milli> spent =
                std::chrono::steady_clock::now() - start;
            times.push_back(spent.count());
        }
        std::sort(times.begin(), times.end());
        return std::pair(times.front(), times[times.size() / 2]);
    };
    const auto [inPlaceBest, inPlaceMedian] = timed([&] { workload.runInPlace(); });
    const auto [best, median] = timed([&] { workload.run(); });
    std::printf("groupMerge dictionaries=%zu groups=%zu cfgBytes=%zu runs=%zu best_ms=%.1f "
                "median_ms=%.1f in_place_best_ms=%.1f in_place_median_ms=%.1f\n",
                dictionaries, workload.groups(), workload.cfgBytes(), runs, best, median,
                inPlaceBest, inPlaceMedian);
    return 0;
}
