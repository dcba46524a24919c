// The file-system exports when their platform calls fail: nothing is pushed, nothing changes,
// and only the access grant's write step leaves its diagnostic line.
#include "platform/faults.h"
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using zet::platform::faults::Point;
using zet::platform::faults::ScopedFault;
using zettest::Host;
using zettest::TempDir;
using Strings = std::vector<std::string>;

TEST(FsopsFaults, FileTimeFailureIsSilent) {
    TempDir dir;
    const std::string path = dir.file("dict.dat");
    zettest::writeFile(path, "data");
    ASSERT_TRUE(zettest::setFileTimes(path, 0x01d0000012345678, 0x01c0000087654321));
    Host host;
    host.args({path, "1cb1b53 20664580", "keep"});
    {
        const ScopedFault fault(Point::setFileTime);
        host.call(setFileModificationTime);
    }
    EXPECT_EQ(host.stack(), Strings{"keep"});
    EXPECT_EQ(zettest::fileTimes(path).value().write, 0x01c0000087654321u);
}

std::string grantWith(Point point, const std::string& path) {
    Host host;
    host.args({path, "keep"});
    const ScopedFault fault(point);
    testing::internal::CaptureStdout();
    host.call(giveAllPermissions);
    EXPECT_EQ(host.stack(), Strings{"keep"});
    return testing::internal::GetCapturedStdout();
}

TEST(FsopsFaults, AccessGrantFailures) {
    TempDir dir;
    const std::string path = dir.file("dict.dat");
    zettest::writeFile(path, "data");
    const zettest::AccessProbe before = zettest::probeAccess(path);

    EXPECT_EQ(grantWith(Point::openForAccess, path), "");
    // The code is the system's own for a refused change: a Win32 code there, errno here.
#ifdef _WIN32
    const std::string code = "5";
#else
    const std::string code = std::to_string(EPERM);
#endif
    EXPECT_EQ(grantWith(Point::writeAccess, path), "SetSecurityInfo Error " + code + "\n");

    const zettest::AccessProbe after = zettest::probeAccess(path);
    EXPECT_EQ(after.worldFullAccess, before.worldFullAccess);
    EXPECT_EQ(after.otherEntries, before.otherEntries);
}

} // namespace
