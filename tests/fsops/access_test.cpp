// giveAllPermissions: everyone gets full access to the one named object, nothing else changes.
#include "fsops/access.h"
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zettest::AccessProbe;
using zettest::Host;
using zettest::probeAccess;
using zettest::TempDir;
using Strings = std::vector<std::string>;

// Calls the export on `argument` over "keep"; gives what it printed.
std::string grant(std::string_view argument) {
    Host host;
    host.args({argument, "keep"});
    testing::internal::CaptureStdout();
    host.call(giveAllPermissions);
    EXPECT_EQ(host.stack(), Strings{"keep"});
    return testing::internal::GetCapturedStdout();
}

void expectUnchanged(const std::string& path, const AccessProbe& before) {
    const AccessProbe after = probeAccess(path);
    EXPECT_EQ(after.worldFullAccess, before.worldFullAccess) << path;
    EXPECT_EQ(after.otherEntries, before.otherEntries) << path;
}

void expectGranted(const std::string& path, const AccessProbe& before) {
    EXPECT_FALSE(before.worldFullAccess) << path;
    const AccessProbe after = probeAccess(path);
    EXPECT_TRUE(after.worldFullAccess) << path;
    EXPECT_EQ(after.otherEntries, before.otherEntries) << path;
}

TEST(GiveAllPermissions, GrantsEveryoneFullAccessToAFile) {
    TempDir dir;
    const std::string path = dir.file("dict.dat");
    zettest::writeFile(path, "data");
    const AccessProbe before = probeAccess(path);
    EXPECT_EQ(grant(path), "");
    expectGranted(path, before);
    EXPECT_EQ(zettest::readFile(path), "data");

    // A "*" before a file's path opens the file too.
    const std::string other = dir.file("other.dat");
    zettest::writeFile(other, "");
    const AccessProbe otherBefore = probeAccess(other);
    grant("*" + other);
    expectGranted(other, otherBefore);

    // The grant asks for no write access, so a read-only file is granted too (Wine, which keeps
    // the access list as a Unix mode, then shows its owner's entry widened as well).
    const std::string readOnly = dir.file("readonly.dat");
    zettest::writeFile(readOnly, "");
    ASSERT_TRUE(zettest::setReadOnly(readOnly, true));
    EXPECT_EQ(grant(readOnly), "");
    EXPECT_TRUE(probeAccess(readOnly).worldFullAccess);
    zettest::setReadOnly(readOnly, false);
}

TEST(GiveAllPermissions, AFolderNeedsTheStarAndKeepsItsContentsAsTheyAre) {
    TempDir dir;
    const std::string folder = dir.file("dics");
    std::filesystem::create_directories(folder + "/sub");
    zettest::writeFile(folder + "/inner.dat", "x");
    const AccessProbe before = probeAccess(folder);
    const AccessProbe inner = probeAccess(folder + "/inner.dat");
    const AccessProbe sub = probeAccess(folder + "/sub");

    grant(folder);
    expectUnchanged(folder, before);

    // Only the first "*" is taken off: "**folder" names a "*folder" that does not exist.
    grant("**" + folder);
    expectUnchanged(folder, before);

    EXPECT_EQ(grant("*" + folder), "");
    expectGranted(folder, before);
    expectUnchanged(folder + "/inner.dat", inner);
    expectUnchanged(folder + "/sub", sub);
}

TEST(GiveAllPermissions, OpensNothingThatIsMissingOrEmpty) {
    TempDir dir;
    const std::string missing = dir.file("missing.dat");
    EXPECT_EQ(grant(missing), "");
    EXPECT_EQ(grant("*" + missing), "");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(grant("*"), "");
    EXPECT_EQ(grant(""), "");

    Host empty;
    empty.call(giveAllPermissions);
    empty.callWithoutStack(giveAllPermissions);
    EXPECT_TRUE(empty.stack().empty());
}

TEST(GiveAllPermissions, LeavesWhatTheCallerMayNotChangeAlone) {
    TempDir dir;
    const std::string readable = dir.file("readable.dat");
    const std::string writable = dir.file("writable.dat");
    zettest::writeFile(readable, "");
    zettest::writeFile(writable, "");
    using std::filesystem::perms;
    std::filesystem::permissions(readable, perms::owner_read | perms::owner_write |
                                               perms::group_read | perms::others_read);
    // Others may write it, but only its owner may change who has access.
    std::filesystem::permissions(writable, perms::owner_read | perms::owner_write |
                                               perms::others_read | perms::others_write);
    const AccessProbe readableBefore = probeAccess(readable);
    const AccessProbe writableBefore = probeAccess(writable);
    // Silently, as the Win32 open fails for want of rights: no failed step is printed.
    const auto ran = zettest::runUnprivileged([&] {
        Host host;
        testing::internal::CaptureStdout();
        host.args({readable}).call(giveAllPermissions);
        host.args({writable}).call(giveAllPermissions);
        return testing::internal::GetCapturedStdout().empty();
    });
    if (!ran) GTEST_SKIP() << "needs root on POSIX, to run as another user";
    EXPECT_TRUE(*ran);
    expectUnchanged(readable, readableBefore);
    expectUnchanged(writable, writableBefore);
}

// The installer's own output folder is its current folder, and the application may hold a file
// open: the grant asks for nothing that their handles refuse to share.
TEST(GiveAllPermissions, GrantsWhatOtherHandlesHoldOpen) {
    TempDir dir;
    const std::string folder = dir.file("dics");
    const std::string file = folder + "/held.dat";
    std::filesystem::create_directories(folder);
    zettest::writeFile(file, "x");
    const AccessProbe folderBefore = probeAccess(folder);
    const AccessProbe fileBefore = probeAccess(file);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    EXPECT_EQ(grant("*" + folder), "");
    {
        const zettest::HeldOpen held(file);
        EXPECT_EQ(grant(file), "");
    }
    std::filesystem::current_path(previous);
    expectGranted(folder, folderBefore);
    expectGranted(file, fileBefore);
}

TEST(GiveAllPermissions, DoesNotFollowALinkAtTheEndOfThePath) {
    TempDir dir;
    const std::string target = dir.file("target.dat");
    zettest::writeFile(target, "");
    const AccessProbe before = probeAccess(target);
    const std::string link = dir.file("link.dat");
    if (!zettest::makeRefusedLink(target, link))
        GTEST_SKIP() << "Windows opens follow links, as every Win32 open does";
    grant(link);
    grant("*" + link);
    expectUnchanged(target, before);
}

TEST(GrantWorldAccess, PrintsTheFailedStepWithItsCode) {
    using zet::platform::AccessStep;
    EXPECT_EQ(zet::fsops::accessDiagnostic(AccessStep::readAccess, 5), "GetSecurityInfo Error 5\n");
    EXPECT_EQ(zet::fsops::accessDiagnostic(AccessStep::mergeEntry, 87),
              "SetEntriesInAcl Error 87\n");
    EXPECT_EQ(zet::fsops::accessDiagnostic(AccessStep::writeAccess, 4294967295u),
              "SetSecurityInfo Error 4294967295\n");
    EXPECT_EQ(zet::fsops::accessDiagnostic(AccessStep::none, 87), "");

    testing::internal::CaptureStdout();
    EXPECT_EQ(zet::fsops::grantWorldAccess(zet::platform::kNoObject, zet::fsops::kFullAccess, 1, 0),
              87u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    TempDir dir;
    const std::string path = dir.file("a.dat");
    zettest::writeFile(path, "");
    const AccessProbe before = probeAccess(path);

    // A handle that is closed already: reading the access list fails. Capturing first keeps
    // the capture from reusing the closed descriptor.
    testing::internal::CaptureStdout();
    const auto closed = zet::platform::openForAccessChange(path, false);
    zet::platform::closeObject(closed);
    const std::uint32_t readCode =
        zet::fsops::grantWorldAccess(closed, zet::fsops::kFullAccess, 1, 0);
    EXPECT_NE(readCode, 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "GetSecurityInfo Error " + std::to_string(readCode) + "\n");

    // A handle that may read the access list but not write it.
    const auto readOnly = zettest::openWithoutAccessChange(path);
    ASSERT_NE(readOnly, zet::platform::kNoObject);
    testing::internal::CaptureStdout();
    const std::uint32_t writeCode =
        zet::fsops::grantWorldAccess(readOnly, zet::fsops::kFullAccess, 1, 0);
    zet::platform::closeObject(readOnly);
    EXPECT_NE(writeCode, 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "SetSecurityInfo Error " + std::to_string(writeCode) + "\n");
    expectUnchanged(path, before);
}

} // namespace
