// exploreFolder and executeFile hand the path to the shell and return without waiting.
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using zettest::Host;
using zettest::TempDir;
using Strings = std::vector<std::string>;

constexpr int kLingerSeconds = 4;
constexpr int kTraceTimeoutSeconds = 30; // Wine starts cmd.exe slowly

// Calls the export with the argument over "keep", and checks that the launched program ran with
// that argument, that the call did not wait for it and that none of its output reached ours.
void expectLaunched(zettest::ExportFunction function, const zettest::ShellTrace& trace) {
    Host host;
    host.args({trace.argument, "keep"});
    testing::internal::CaptureStdout();
    const auto start = std::chrono::steady_clock::now();
    host.call(function);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const auto written = zettest::waitForFile(trace.traceFile, kTraceTimeoutSeconds);
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_LT(elapsed, std::chrono::seconds(kLingerSeconds - 1));
    EXPECT_EQ(host.stack(), Strings{"keep"});
    EXPECT_EQ(written, trace.expectedTrace);
    EXPECT_EQ(output, "");
    EXPECT_FALSE(zettest::hasZombieChild());
}

TEST(ExecuteFile, OpensTheFileWithoutWaiting) {
    TempDir dir;
    expectLaunched(executeFile,
                   zettest::prepareShellTrace(dir.path(), dir.file("open me.bat"), kLingerSeconds));
}

TEST(ExploreFolder, OpensTheFolderWithoutWaiting) {
    TempDir dir;
    const std::string folder = dir.file("dics");
    std::filesystem::create_directory(folder);
    const auto trace = zettest::prepareExploreTrace(dir.path(), folder, kLingerSeconds);
    if (!trace) GTEST_SKIP() << "the explorer window leaves no trace to wait for on Windows";
    expectLaunched(exploreFolder, *trace);

    // The empty text of an empty stack goes to the shell as it is.
    std::filesystem::remove(trace->traceFile);
    Host empty;
    empty.call(exploreFolder);
    EXPECT_EQ(zettest::waitForFile(trace->traceFile, kTraceTimeoutSeconds), "\n");
}

} // namespace
