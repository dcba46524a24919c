// duvevo.cfg through interrupted and refused writes, links, owners and encodings: a call's keys
// land together or not at all, nothing is left behind, and the file stays the same file.
#include "platform/faults.h"
#include "platform/ini.h"
#include "platform/transaction.h"
#include "tests/appconfig/merge_support.h"
#include "tests/support/child.h"
#include "tests/support/fsprobe.h"

#include <filesystem>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace zettest;

TEST(Durability, Utf16DuvevoCfgStaysUtf16) {
    TempDir dir;
    writeFile(dir.path() / "duvevo.cfg", utf16("[.g]\r\nDics=z\r\n"));
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    update(dir.str(), "a");
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"),
              utf16("[.g]\r\nDics=z,a\r\nfi=\r\nsv=\r\nen=\r\nde=\r\n"));
}

// Taking a member out of a UTF-16LE file leaves every other unit as it was.
TEST(Durability, Utf16DuvevoCfgLosesOnlyTheMember) {
    TempDir dir;
    const std::string kept = "[.g]\r\nfi=\xc4\xe4\x01\xff\r\n";
    writeFile(dir.path() / "duvevo.cfg", utf16(kept + "Dics=z,a\r\n[.a]\r\nDics=a\r\n"));
    EXPECT_EQ(removeFrom(dir.str(), "a"), "ok");
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), utf16(kept + "Dics=z\r\n"));
}

TEST(Durability, ANulEndsTheExistingMembers) {
    TempDir dir;
    writeFile(dir.path() / "duvevo.cfg", std::string("[.g]\r\nDics=z\0old\r\n", 19));
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    update(dir.str(), "a");
    EXPECT_EQ(zet::platform::readIniString(dir.file("duvevo.cfg"), ".g", "Dics"), "z,a");
}

// The Windows profile calls store at most 32,766 characters of a value; the POSIX layer has no
// such limit and adds the member.
TEST(Durability, MembersTooLongToStoreKeepTheOldValue) {
    TempDir dir;
    const std::string members(32765, 'm');
    writeFile(dir.path() / "duvevo.cfg", "[.g]\r\nDics=" + members + "\r\n");
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    update(dir.str(), "a");
#ifdef _WIN32
    const std::string expected = members;
#else
    const std::string expected = members + ",a";
#endif
    EXPECT_EQ(zet::platform::readIniString(dir.file("duvevo.cfg"), ".g", "Dics"), expected);
}

// What an interrupted call left (a partial temporary) goes with the next call that writes, and
// blocks nothing; names that only look like a temporary, and a folder, stay.
TEST(Durability, LeftoversGoAndLookalikesStay) {
    TempDir dir;
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    writeFile(dir.path() / zet::platform::temporaryName("duvevo.cfg"), "[.g]\r\nDi");
    const std::string folder = zet::platform::temporaryName("duvevo.cfg");
    fs::create_directory(dir.path() / folder);
    std::vector<std::string> expected{"duvevo.cfg",     "duvevo.cfg.aEK1jf",
                                      "duvevo.cfg.bak", "duvevo.cfg.zetdll-0123456789abcdef",
                                      folder,           "groups.ini"};
    for (std::size_t i = 1; i < 4; ++i) writeFile(dir.path() / expected[i], "[.g]\r\nDics=z\r\n");
    update(dir.str(), "a");
    update(dir.str(), "b");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(dir.path()), expected);
    EXPECT_EQ(zet::platform::readIniString(dir.file("duvevo.cfg"), ".g", "Dics"), "a");
}

// The dictionary application may hold duvevo.cfg open for reading and writing without sharing
// its deletion, so that it cannot be replaced: every call's keys land in place all the same.
// Whatever keeps the working copy from standing for the call (a file held open, an owner that a
// new file would not have, a write to the copy that fails) leaves the keys to be written in
// place; a write that fails for want of space leaves duvevo.cfg as it was.
TEST(Durability, WhatTheWorkingCopyCannotDoIsWrittenInPlace) {
    using zet::platform::faults::Point;
    const std::string before = "[.g]\r\nDics=z\r\n";
    const std::string after = "[.g]\r\nDics=z,a\r\nfi=\r\nsv=\r\nen=\r\nde=\r\n[.other_dics]\r\n"
                              "en=Other dictionaries\r\nfi=Muut sanakirjat\r\nDics=b\r\n";
    const struct {
        std::optional<Point> fault; // none: the file is held open
        std::string expected;
    } cases[] = {{std::nullopt, after},
                 {Point::foreignOwner, after},
                 {Point::writeCopy, after},
                 {Point::copyFull, before}};
    for (const auto& c : cases) {
        TempDir dir;
        writeFile(dir.path() / "duvevo.cfg", before);
        writeFile(dir.path() / "groups.ini", "g=a\r\n");
        writeFile(dir.path() / "instdics.dat", "*b\r\n");
        {
            std::optional<HeldOpen> held;
            std::optional<zet::platform::faults::ScopedFault> fault;
            if (c.fault)
                fault.emplace(*c.fault, 1000);
            else
                held.emplace(dir.file("duvevo.cfg"));
            update(dir.str(), "a");
            update(dir.str(), "/");
        }
        EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), c.expected);
        EXPECT_EQ(namesIn(dir.path()),
                  (std::vector<std::string>{"duvevo.cfg", "groups.ini", "instdics.dat"}));
    }
}

// Windows' profile calls take a file as Unicode only after the UTF-16LE mark: a UTF-8 or a
// UTF-16BE mark is text of the first line, and hides a section header there.
TEST(Durability, OtherMarksAreTextOfTheFirstLine) {
#ifdef _WIN32
    GTEST_SKIP() << "Wine reads both marks as Unicode, which Windows does not";
#endif
    for (const std::string mark : {"\xef\xbb\xbf", "\xfe\xff"}) {
        TempDir dir;
        writeFile(dir.path() / "duvevo.cfg", mark + "[.g]\r\nDics=z\r\n");
        writeFile(dir.path() / "groups.ini", "g=a\r\n");
        update(dir.str(), "a");
        EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"),
                  mark + "[.g]\r\nDics=z\r\n[.g]\r\nfi=\r\nsv=\r\nen=\r\nde=\r\nDics=a\r\n");
    }
}

TEST(Durability, ASymlinkedDuvevoCfgIsWrittenThroughItsLink) {
    TempDir dir;
    TempDir elsewhere;
    writeFile(elsewhere.path() / "real.cfg", "[.g]\r\nDics=z\r\n");
    std::error_code error;
    fs::create_symlink(elsewhere.path() / "real.cfg", dir.path() / "duvevo.cfg", error);
    if (error) GTEST_SKIP() << "no symbolic link can be made here: " << error.message();
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    writeFile(dir.path() / "instdics.dat", "*b\r\n");
    update(dir.str(), "a");
    update(dir.str(), "/");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "duvevo.cfg"));
    EXPECT_EQ(readFile(elsewhere.path() / "real.cfg"),
              "[.g]\r\nDics=z,a\r\nfi=\r\nsv=\r\nen=\r\nde=\r\n[.other_dics]\r\n"
              "en=Other dictionaries\r\nfi=Muut sanakirjat\r\nDics=b\r\n");
    EXPECT_EQ(namesIn(elsewhere.path()), std::vector<std::string>{"real.cfg"});
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"duvevo.cfg", "groups.ini", "instdics.dat"}));
}

TEST(Durability, AHardLinkedDuvevoCfgKeepsItsLinks) {
    TempDir dir;
    writeFile(dir.path() / "duvevo.cfg", "[.g]\r\nDics=z\r\n");
    std::error_code error;
    fs::create_hard_link(dir.path() / "duvevo.cfg", dir.path() / "other.cfg", error);
    if (error) GTEST_SKIP() << "no hard link can be made here: " << error.message();
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    const auto links = fs::hard_link_count(dir.path() / "duvevo.cfg"); // Wine counts 1
    update(dir.str(), "a");
    EXPECT_EQ(fs::hard_link_count(dir.path() / "duvevo.cfg"), links);
    EXPECT_EQ(readFile(dir.path() / "other.cfg"), readFile(dir.path() / "duvevo.cfg"));
    EXPECT_EQ(zet::platform::readIniString(dir.file("other.cfg"), ".g", "Dics"), "z,a");
}

#ifdef _WIN32
TEST(Durability, OwnerGroupAndModeAreKept) {
    GTEST_SKIP() << "a file's Unix owner and mode cannot be set from Windows code";
}
#else
TEST(Durability, OwnerGroupAndModeAreKept) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file another owner";
    TempDir dir;
    const std::string cfg = dir.file("duvevo.cfg");
    writeFile(cfg, "[.g]\r\nDics=z\r\n");
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(::chown(cfg.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(cfg.c_str(), 0640), 0);
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    update(dir.str(), "a");
    struct stat info {};
    ASSERT_EQ(::stat(cfg.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(zet::platform::readIniString(cfg, ".g", "Dics"), "z,a");
}
#endif

#ifdef _WIN32
constexpr bool kIsWindows = true;
#else
constexpr bool kIsWindows = false;
#endif

// A crash trial: the installation files, and the calls a child makes in order.
struct Trial {
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> calls;
};

// Eight dictionaries, each in two groups of its own and in a shared one.
Trial groupTrial() {
    Trial trial;
    std::string groups, names = "[fi]\r\n";
    for (int i = 0; i < 8; ++i) {
        const std::string d = "d" + std::to_string(i);
        groups += "all=" + d + "\r\n" + d + "a=" + d + "\r\n" + d + "b=" + d + "\r\n";
        names += d + "a=Name " + d + "\r\n";
        trial.calls.push_back(d);
    }
    trial.files = {{"groups.ini", groups}, {"grnames.ini", names}};
    return trial;
}

// Ten list calls over three files, each adding its sections and the catch-all one.
Trial listTrial() {
    Trial trial;
    trial.files = {{"instdics.dat", "*a\r\n*b\r\n*c\r\n*d\r\n"},
                   {"x.cfg", "[.g1]\r\nfi=One\r\ndics=a\r\n"},
                   {"y.cfg", "[.g2]\r\nfi=Two\r\ndics=b, x\r\n[.g3]\r\ndics=c\r\n"},
                   {"z.cfg", "[.g4]\r\nen=Four\r\ndics=a\r\n"}};
    trial.calls.assign(10, "/x.cfg/y.cfg/z.cfg/");
    return trial;
}

void prepare(const Trial& trial, const fs::path& folder) {
    for (const auto& [name, bytes] : trial.files) writeFile(folder / name, bytes);
}

// The job of a child run: the folder, the file that counts finished calls, then the calls.
std::string jobOf(const std::string& folder, const fs::path& done, const Trial& trial) {
    std::string job = folder + "|" + done.string();
    for (const std::string& call : trial.calls) job += "|" + call;
    return job;
}

// In a child run, makes the job's calls, noting each one that returned, and ends.
const bool kChildRun = [] {
    std::string job = childJob();
    if (job.empty()) return false;
    std::vector<std::string> parts;
    for (std::size_t bar; (bar = job.find('|')) != std::string::npos; job.erase(0, bar + 1))
        parts.push_back(job.substr(0, bar));
    parts.push_back(job);
    for (std::size_t i = 2; i < parts.size(); ++i) {
        Host host;
        host.args({parts[0], parts[i]}).call(updateDuvEvoCfg);
        std::FILE* done = std::fopen(parts[1].c_str(), "ab");
        if (done == nullptr) continue;
        std::fputc('x', done);
        std::fclose(done);
    }
    std::_Exit(0);
}();

std::size_t finishedCalls(const fs::path& done) {
    return fs::exists(done) ? readFile(done).size() : 0;
}

// Kills children making the trial's calls at random moments: each time duvevo.cfg is absent or
// the state after some number of whole calls, and the next call leaves no temporary behind.
void killAtRandom(const Trial& trial, int seed) {
    // duvevo.cfg after each number of finished calls, made without interruption.
    TempDir reference;
    prepare(trial, reference.path());
    std::vector<std::string> states{""};
    for (const std::string& call : trial.calls) {
        update(reference.str(), call);
        states.push_back(readFile(reference.path() / "duvevo.cfg"));
    }
    // Kills spread over the whole run of a child, its start included.
    TempDir timing;
    prepare(trial, timing.path());
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(startChild(jobOf(timing.str(), timing.path() / "done", trial)));
    waitChild();
    ASSERT_EQ(finishedCalls(timing.path() / "done"), trial.calls.size());
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);

    // A child start costs a second under Wine; ZET_KILL_TRIALS makes a longer campaign.
    const char* asked = std::getenv("ZET_KILL_TRIALS");
    const int trials = asked != nullptr ? std::atoi(asked) : kIsWindows ? 12 : 100;
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> delay(0, span.count());
    int midway = 0;
    for (int kill = 0; kill < trials; ++kill) {
        TempDir dir, notes;
        prepare(trial, dir.path());
        const fs::path done = notes.path() / "done";
        ASSERT_TRUE(startChild(jobOf(dir.str(), done, trial)));
        killChild(std::chrono::microseconds(delay(random)));
        const std::size_t finished = finishedCalls(done);
        const fs::path cfg = dir.path() / "duvevo.cfg";
        const std::string now = fs::exists(cfg) ? readFile(cfg) : "";
        // The child may die after a call returned and before it noted it.
        const bool complete = now == states[finished] ||
                              (finished + 1 < states.size() && now == states[finished + 1]);
        ASSERT_TRUE(complete) << "kill " << kill << ", " << finished << " calls done:\n" << now;
        midway += finished < trial.calls.size();

        update(dir.str(), trial.calls.front()); // any temporary a killed call left goes
        std::vector<std::string> expected{"duvevo.cfg"};
        for (const auto& file : trial.files) expected.push_back(file.first);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(namesIn(dir.path()), expected);
    }
    std::printf("%d kills, %d before the last call returned\n", trials, midway);
}

TEST(Durability, KilledGroupMergesLeaveACompleteEarlierState) {
    killAtRandom(groupTrial(), 12);
}

TEST(Durability, KilledListMergesLeaveACompleteEarlierState) {
    killAtRandom(listTrial(), 13);
}

#ifndef _WIN32
// Runs `body` as a writer that root's power over permissions does not help; nullopt where it
// cannot run.
std::optional<bool> asPlainWriter(const fs::path& folder, const std::function<bool()>& body) {
    if (::geteuid() == 0) {
        fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
        return runUnprivileged(body);
    }
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const bool result = body();
    fs::permissions(folder, fs::perms::owner_all);
    return result;
}

TEST(DurabilityPosix, AClosedFolderGetsNoNewFile) {
    TempDir dir;
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    const auto ran = asPlainWriter(dir.path(), [&] {
        Host host;
        host.args({dir.str(), "a"}).call(updateDuvEvoCfg);
        return host.stack() == std::vector<std::string>{"ok"};
    });
    if (!ran) GTEST_SKIP() << "cannot drop root's rights here";
    EXPECT_TRUE(*ran);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"groups.ini"});
}

// A small tmpfs mounted for one test, unmounted at the end of its scope whatever happened.
class SmallDisk {
  public:
    explicit SmallDisk(const fs::path& where) : where_(where) {
        fs::create_directories(where_);
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

  private:
    fs::path where_;
    bool mounted_ = false;
};

// Fills the disk under `folder` to the last byte.
void fill(const fs::path& folder) {
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
}

TEST(DurabilityPosix, AFullDiskLeavesDuvevoCfgAsItWas) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    TempDir dir;
    SmallDisk disk(dir.path() / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const fs::path folder = dir.path() / "disk";
    const std::string before = "[.g]\r\nDics=" + std::string(3000, 'z') + "\r\n";
    writeFile(folder / "duvevo.cfg", before);
    writeFile(folder / "groups.ini", "g=a\r\n");
    fill(folder);
    update(folder.string(), "a");
    EXPECT_EQ(readFile(folder / "duvevo.cfg"), before);
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"duvevo.cfg", "filler", "groups.ini"}));

    fs::remove(folder / "filler"); // room again: the next call writes, and leaves nothing else
    update(folder.string(), "a");
    EXPECT_EQ(zet::platform::readIniString((folder / "duvevo.cfg").string(), ".g", "Dics"),
              std::string(3000, 'z') + ",a");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"duvevo.cfg", "groups.ini"}));
}
#endif

} // namespace
