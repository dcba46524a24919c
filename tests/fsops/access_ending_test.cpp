// giveAllPermissions and the ending of its path: a trailing "/" or "." names the folder itself,
// and no ending makes the grant follow a symbolic link.
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zettest::probeAccess;
using zettest::TempDir;

void grant(const std::string& argument) {
    zettest::Host host;
    host.args({argument});
    testing::internal::CaptureStdout();
    host.call(giveAllPermissions);
    testing::internal::GetCapturedStdout();
}

std::string folderIn(const TempDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    std::filesystem::create_directory(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

TEST(GiveAllPermissions, AFolderPathMayEndInSlashesAndDots) {
    TempDir dir;
    std::string name = "f";
    for (const std::string ending : {"/", "/.", "//", "/./", "/.//./"}) {
        name += 'f'; // a fresh folder for each ending
        const std::string folder = folderIn(dir, name);
        const zettest::AccessProbe before = probeAccess(folder);
        ASSERT_FALSE(before.worldFullAccess);
        grant("*" + folder + ending);
        const zettest::AccessProbe after = probeAccess(folder);
        EXPECT_TRUE(after.worldFullAccess) << ending;
        EXPECT_EQ(after.otherEntries, before.otherEntries) << ending;
    }
    // A path whose last character is "/" names a folder, so a file is not opened by it; a
    // trailing "." is only taken off.
    for (const std::string ending : {"/", "//", "/./", "/.", "/./."}) {
        const std::string file = dir.file(name += 'a');
        zettest::writeFile(file, "");
        const zettest::AccessProbe before = probeAccess(file);
        grant(file + ending);
        EXPECT_EQ(probeAccess(file).worldFullAccess, ending.back() == '.') << ending;
        EXPECT_EQ(probeAccess(file).otherEntries, before.otherEntries) << ending;
    }
}

TEST(GiveAllPermissions, FollowsNoLinkWhateverEndsThePath) {
    TempDir dir;
    const std::string folder = folderIn(dir, "private");
    const std::string file = dir.file("private.dat");
    zettest::writeFile(file, "");
    const std::string folderLink = dir.file("l");
    const std::string fileLink = dir.file("fl");
    if (!zettest::makeRefusedLink(folder, folderLink) || !zettest::makeRefusedLink(file, fileLink))
        GTEST_SKIP() << "the Win32 open follows links as every Win32 open does";
    const zettest::AccessProbe folderBefore = probeAccess(folder);
    const zettest::AccessProbe fileBefore = probeAccess(file);
    const zettest::AccessProbe dirBefore = probeAccess(dir.str());

    for (const std::string ending : {"", "/", "/.", "//", "/./", "/.//.", "/..", "/../"}) {
        for (const std::string& link : {folderLink, fileLink}) {
            grant(link + ending);
            grant("*" + link + ending);
        }
        EXPECT_EQ(probeAccess(folder).worldFullAccess, folderBefore.worldFullAccess) << ending;
        EXPECT_EQ(probeAccess(file).worldFullAccess, fileBefore.worldFullAccess) << ending;
        // "l/.." is the folder above the link's target to the kernel: refused as well.
        EXPECT_EQ(probeAccess(dir.str()).worldFullAccess, dirBefore.worldFullAccess) << ending;
    }
}

} // namespace
