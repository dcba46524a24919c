// Merge scenarios against committed results, the same files for both builds, so that the
// Windows DLL and the Linux library leave the same duvevo.cfg. Each folder under
// tests/data/appconfig/scenarios holds the installation files, "calls" (one argument a line;
// one led by "-" takes the rest back out) and the expected duvevo.cfg. ZET_UPDATE_GOLDEN=1 rewrites
// the expected files.
#include "tests/appconfig/merge_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace zettest;

std::vector<std::string> callsOf(const std::string& text) {
    std::vector<std::string> calls;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) calls.push_back(line);
        start = end + 1;
    }
    return calls;
}

void runScenario(const fs::path& scenario) {
    SCOPED_TRACE(scenario.filename().string());
    TempDir dir;
    for (const auto& file : fs::directory_iterator(scenario)) {
        const std::string name = file.path().filename().string();
        if (name != "calls" && name != "expected.cfg")
            writeFile(dir.path() / name, readFile(file.path()));
    }
    for (const std::string& argument : callsOf(readFile(scenario / "calls")))
        if (argument.starts_with('-'))
            EXPECT_EQ(removeFrom(dir.str(), argument.substr(1)), "ok");
        else
            update(dir.str(), argument);

    const fs::path cfg = dir.path() / "duvevo.cfg";
    const std::string result = fs::exists(cfg) ? readFile(cfg) : "";
    const fs::path expected = scenario / "expected.cfg";
    if (std::getenv("ZET_UPDATE_GOLDEN")) writeFile(expected, result);
    const std::string wanted = readFile(expected);
    EXPECT_EQ(entries(result), entries(wanted));
    EXPECT_EQ(result, wanted);
}

TEST(Scenarios, BothBuildsLeaveTheCommittedDuvevoCfg) {
    std::vector<fs::path> scenarios;
    for (const auto& entry : fs::directory_iterator(testData("appconfig/scenarios")))
        scenarios.push_back(entry.path());
    ASSERT_GE(scenarios.size(), 8u);
    for (const fs::path& scenario : scenarios) runScenario(scenario);
}

// zetdll-check's planted groups.ini says: no harm in a blank before "=", a ";" line makes a
// group. The merge on the same media does just that.
TEST(Scenarios, CheckedGroupLinesMergeAsTheCheckerSays) {
    TempDir dir;
    for (const char* name : {"groups.ini", "grnames.ini"})
        writeFile(dir.path() / name, readFile(testData(std::string("check/media/") + name)));
    update(dir.str(), "gamma");
    update(dir.str(), "epsilon");
    const std::vector<std::string> cfg = entries(readFile(dir.path() / "duvevo.cfg"));
    for (const char* entry : {"[.letters] Dics=gamma", "[.greek] Dics=epsilon",
                              "[.;commented] en=", "[.;commented] Dics=epsilon"})
        EXPECT_NE(std::find(cfg.begin(), cfg.end(), entry), cfg.end()) << entry;
}

} // namespace
