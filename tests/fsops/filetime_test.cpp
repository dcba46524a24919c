// setFileModificationTime through a host stack: the write time lands exactly, nothing else moves.
#include "tests/support/files.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

namespace {

using zettest::fileTimes;
using zettest::Host;
using zettest::TempDir;
using Strings = std::vector<std::string>;

constexpr std::uint64_t kAccess = 0x01d0000012345678; // 2014, with a sub-second part
constexpr std::uint64_t kWrite = 0x01c0000087654321;  // 2005

// A file (or folder) whose access and write times are known.
std::string primed(const TempDir& dir, const std::string& name, bool folder = false) {
    const std::string path = dir.file(name);
    if (folder)
        std::filesystem::create_directory(path);
    else
        zettest::writeFile(path, "data");
    EXPECT_TRUE(zettest::setFileTimes(path, kAccess, kWrite));
    return path;
}

std::uint64_t writeTimeAfter(const std::string& path,
                             std::initializer_list<std::string_view> args) {
    Host host;
    host.args(args).call(setFileModificationTime);
    EXPECT_TRUE(host.stack().empty());
    return fileTimes(path).value().write;
}

TEST(SetFileModificationTime, SetsBothHalvesAndLeavesTheOtherTimes) {
    TempDir dir;
    const std::string path = primed(dir, "dict.dat");
    const zettest::FileTimes before = fileTimes(path).value();

    Host host;
    host.args({path, "1cb1b53 20664580", "keep"}).call(setFileModificationTime);
    EXPECT_EQ(host.stack(), Strings{"keep"});
    const zettest::FileTimes after = fileTimes(path).value();
    EXPECT_EQ(after.write, 0x01cb1b5320664580u); // to the 100 ns
    EXPECT_EQ(after.access, before.access);
    if (before.creation != before.write) { // Wine reports the write time as creation time
        EXPECT_EQ(after.creation, before.creation);
    }
    EXPECT_EQ(zettest::readFile(path), "data");

    // Before 1970 as well as after it: 1950-01-01 00:00:00.1234567.
    EXPECT_EQ(writeTimeAfter(path, {path, "1874593 91b99687"}), 0x0187459391b99687u);
}

TEST(SetFileModificationTime, OneNumberGivesTheHighHalfAndBadTextsChangeNothing) {
    TempDir dir;
    const std::string path = primed(dir, "a.dat");
    EXPECT_EQ(writeTimeAfter(path, {path, "1cb1b53"}), 0x01cb1b5300000000u);

    // Texts that read as "0 0": a zero time leaves the file's time as it is.
    for (const std::string_view text : {"", "zz 12", "  -", "0 0"}) {
        ASSERT_TRUE(zettest::setFileTimes(path, kAccess, kWrite));
        EXPECT_EQ(writeTimeAfter(path, {path, text}), kWrite) << '"' << text << '"';
    }
    // The stack held only the path.
    EXPECT_EQ(writeTimeAfter(path, {path}), kWrite);
}

TEST(SetFileModificationTime, LeavesFoldersMissingAndReadOnlyFilesAlone) {
    TempDir dir;
    const std::string folder = primed(dir, "folder", true);
    EXPECT_EQ(writeTimeAfter(folder, {folder, "1cb1b53 20664580"}), kWrite);

    const std::string missing = dir.file("missing.dat");
    Host host;
    host.args({missing, "1cb1b53 20664580"}).call(setFileModificationTime);
    EXPECT_FALSE(std::filesystem::exists(missing));

    // Also when the tests run as root: a file without any write bit stands for read-only.
    const std::string readOnly = primed(dir, "readonly.dat");
    ASSERT_TRUE(zettest::setReadOnly(readOnly, true));
    if (zettest::readOnlyIsRefused(readOnly)) {
        EXPECT_EQ(writeTimeAfter(readOnly, {readOnly, "1cb1b53 20664580"}), kWrite);
    }
    zettest::setReadOnly(readOnly, false);

    Host empty;
    empty.call(setFileModificationTime);
    empty.callWithoutStack(setFileModificationTime);
    EXPECT_TRUE(empty.stack().empty());
}

TEST(SetFileModificationTime, LeavesAFileTheCallerMayNotWriteAlone) {
    TempDir dir;
    const std::string path = primed(dir, "theirs.dat");
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read | std::filesystem::perms::others_read);
    const auto unchanged = zettest::runUnprivileged([&] {
        Host host;
        host.args({path, "1cb1b53 20664580"}).call(setFileModificationTime);
        return fileTimes(path).value().write == kWrite;
    });
    if (unchanged) {
        EXPECT_TRUE(*unchanged);
    }
}

} // namespace
