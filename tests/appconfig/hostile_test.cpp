// Missing, empty, binary and oversized input, and a duvevo.cfg that cannot be written: the
// export answers "ok", writes nothing outside the folder and never damages duvevo.cfg.
#include "appconfig/installedmerge.h"
#include "appconfig/paths.h"
#include "platform/files.h"
#include "tests/appconfig/merge_support.h"

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace zettest;

TEST(Hostile, EmptyFolderTouchesNothing) {
    const std::string atRoot = std::string(1, zet::platform::kPathSeparator) + "duvevo.cfg";
    const bool existed = fs::exists(atRoot);
    update("", "a");
    update("", "/x.cfg/");
    EXPECT_EQ(fs::exists(atRoot), existed);
}

TEST(Hostile, MissingAndEmptyFiles) {
    TempDir dir;
    update(dir.str(), "/x.cfg/");
    EXPECT_TRUE(namesIn(dir.path()).empty()); // no instdics.dat: nothing at all
    writeFile(dir.path() / "instdics.dat", "");
    update(dir.str(), "/");
    EXPECT_TRUE(namesIn(dir.path()) == std::vector<std::string>{"instdics.dat"});
    for (const char* name : {"groups.ini", "grnames.ini", "a.cfg"})
        writeFile(dir.path() / name, "");
    update(dir.str(), "a");
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"),
              "[.a]\r\nfi=\r\nsv=\r\nen=\r\nde=\r\nDics=a\r\n");
}

TEST(Hostile, BinaryBytesKeepLinesApart) {
    TempDir dir;
    writeFile(dir.path() / "groups.ini",
              std::string("g\0x=a\r\n\xff\x01=b\r\ng2=a\x1ag3=a\r\n", 24));
    update(dir.str(), "a");
    writeFile(dir.path() / "instdics.dat", std::string("*a\r\n*b\r\n*c\0*d\r\n", 16));
    writeFile(dir.path() / "x.cfg", std::string("[.h]\r\nen=x\0y\r\ndics=b\0a\r\n", 24));
    update(dir.str(), "/x.cfg/");
    EXPECT_EQ(entries(readFile(dir.path() / "duvevo.cfg")),
              (std::vector<std::string>{
                  "[.g2] fi=", "[.g2] sv=", "[.g2] en=", "[.g2] de=", "[.g2] Dics=a", "[.h] en=x",
                  "[.h] Dics=b", "[.other_dics] en=Other dictionaries",
                  "[.other_dics] fi=Muut sanakirjat", "[.other_dics] Dics=a"}));
}

TEST(Hostile, LongLinesAndNamesAreUsedWhole) {
    TempDir dir;
    const std::string name(700, 'n');
    const std::string longer(1200, 'n');
    writeFile(dir.path() / "groups.ini", "g=" + longer + "\r\ng=" + name + "\r\n");
    update(dir.str(), name.substr(0, 499)); // no group lists a prefix of a longer name
    update(dir.str(), name);
    const std::string cfg = readFile(dir.path() / "duvevo.cfg");
    EXPECT_NE(cfg.find("[." + name.substr(0, 499) + "]\r\n"), std::string::npos);
    EXPECT_NE(cfg.find("[.g]\r\nfi=\r\nsv=\r\nen=\r\nde=\r\nDics=" + name + "\r\n"),
              std::string::npos);

    TempDir list;
    const std::string member(300, 'm');
    const std::string key = "note=" + std::string(3000, 'k') + "\n";
    writeFile(list.path() / "instdics.dat", "*" + member + "\n*" + member.substr(0, 29) + "\n");
    writeFile(list.path() / "x.cfg", "[.g]\n" + key + "dics=" + member + "\n");
    update(list.str(), "/x.cfg/");
    EXPECT_EQ(readFile(list.path() / "duvevo.cfg"),
              "[.g]\r\n" + key.substr(0, key.size() - 1) + "\r\nDics=" + member +
                  "\r\n[.other_dics]\r\nen=Other dictionaries\r\nfi=Muut sanakirjat\r\nDics=" +
                  member.substr(0, 29) + "\r\n");
}

TEST(Hostile, PathsLongerThanTheSystemOpensAreNeverCut) {
    const std::string folder(zet::platform::kMaxPathLength - 5, 'f');
    EXPECT_TRUE(zet::appconfig::pathInFolder(folder, "abcd"));
    EXPECT_FALSE(zet::appconfig::pathInFolder(folder, "abcde"));
    EXPECT_FALSE(zet::appconfig::cfgPath(folder));
    std::string installed = "*a\n";
    EXPECT_EQ(zet::appconfig::copyDicSections(folder, "x.cfg", installed), 0);
}

// Installation folders of 224 to 248 characters, whose duvevo.cfg still fits where its working
// copy's longer name would not: both forms write what they write in a short folder (given the
// files whose paths fit), and nothing else appears there or in the current folder.
TEST(Hostile, DeepFoldersGetTheirKeys) {
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"groups.ini", "g=a\r\n"},
        {"grnames.ini", "[en]\r\ng=Group\r\n"},
        {"instdics.dat", "*a\r\n"},
        {"x.cfg", "[.x]\r\nen=X\r\ndics=a\r\n"},
        {"duvevo.cfg", "[.old]\r\nDics=o\r\n"}};
    const auto here = namesIn(fs::current_path());
    for (const std::size_t length : {224, 225, 248}) {
        TempDir dir;
        std::string deep = dir.str();
        while (deep.size() < length)
            deep += zet::platform::kPathSeparator +
                    std::string(std::min<std::size_t>(100, length - deep.size() - 1), 'd');
        ASSERT_EQ(deep.size(), length);
        fs::create_directories(deep);
        const fs::path shallow = dir.path() / "s";
        fs::create_directories(shallow);
        for (const auto& [name, bytes] : inputs) {
            writeFile(fs::path(deep) / name, bytes);
            if (!zet::appconfig::pathInFolder(deep, name)) continue;
            writeFile(shallow / name, bytes);
        }
        for (const std::string& folder : {deep, shallow.string()}) {
            update(folder, "a");
            update(folder, "/x.cfg/");
        }
        EXPECT_EQ(readFile(fs::path(deep) / "duvevo.cfg"), readFile(shallow / "duvevo.cfg"))
            << length;
        EXPECT_NE(readFile(shallow / "duvevo.cfg"), inputs.back().second);
        EXPECT_EQ(namesIn(deep).size(), inputs.size()) << length;
        EXPECT_EQ(namesIn(fs::current_path()), here) << length;
    }
}

TEST(Hostile, LineBreaksInNamesAreNotWritten) {
    TempDir dir;
    writeFile(dir.path() / "x.cfg", "[LONG_NAMES]\r\nfiTE=ab\rcd\r\nsvTE=ok\r\n");
    update(dir.str(), "x");
    update(dir.str(), "a\r\nb=c");
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), "[.x]\r\nsv=ok\r\nDics=x\r\n");
}

TEST(Hostile, DuvevoCfgThatIsAFolder) {
    TempDir dir;
    fs::create_directory(dir.path() / "duvevo.cfg");
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    writeFile(dir.path() / "instdics.dat", "*a\r\n");
    writeFile(dir.path() / "x.cfg", "[.g]\r\ndics=a\r\n");
    update(dir.str(), "a");
    update(dir.str(), "/x.cfg/");
    update(dir.str(), "/");
    EXPECT_TRUE(fs::is_directory(dir.path() / "duvevo.cfg"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "duvevo.cfg"));
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"duvevo.cfg", "groups.ini", "instdics.dat", "x.cfg"}));
}

TEST(Hostile, AppendingNeverJoinsTheLastLine) {
    TempDir dir;
    writeFile(dir.path() / "duvevo.cfg", "[s]\r\nk=v");
    writeFile(dir.path() / "instdics.dat", "*a\r\n");
    update(dir.str(), "/");
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"),
              "[s]\r\nk=v\r\n[.other_dics]\r\nen=Other dictionaries\r\nfi=Muut "
              "sanakirjat\r\nDics=a\r\n");
}

// Permissions and file size limits as POSIX has them; the Windows layer is the system's own.
#ifndef _WIN32
// Runs `body` in a child without root's power over permissions; true when it exited cleanly.
template <typename Body> bool inChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        body();
        ::_exit(0);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(PosixHostile, ReadOnlyDuvevoCfgStaysAsItIs) {
    TempDir dir;
    const std::string before = "[.g]\r\nDics=x\r\n";
    writeFile(dir.path() / "duvevo.cfg", before);
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    writeFile(dir.path() / "instdics.dat", "*a\r\n");
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(dir.path() / "duvevo.cfg", fs::perms::owner_read | fs::perms::others_read);
    ASSERT_TRUE(inChild([&] {
        zet::appconfig::mergeInstalledDics(dir.str(), "/");
        update(dir.str(), "a");
    }));
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), before);
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"duvevo.cfg", "groups.ini", "instdics.dat"}));

    fs::permissions(dir.path() / "duvevo.cfg", fs::perms::all);
    fs::permissions(dir.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    // A folder closed to the writer takes no new file, but a writable duvevo.cfg is still
    // written, in place, as the Windows profile calls write it.
    ASSERT_TRUE(inChild([&] { update(dir.str(), "a"); }));
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"),
              "[.g]\r\nDics=x,a\r\nfi=\r\nsv=\r\nen=\r\nde=\r\n");
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"duvevo.cfg", "groups.ini", "instdics.dat"}));
}

TEST(PosixHostile, FullDiskLeavesThePreviousFile) {
    TempDir dir;
    const std::string before = "[.g]\r\nDics=" + std::string(2000, 'x') + "\r\n";
    writeFile(dir.path() / "duvevo.cfg", before);
    writeFile(dir.path() / "groups.ini", "g=a\r\n");
    ASSERT_TRUE(inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        update(dir.str(), "a");
    }));
    EXPECT_EQ(readFile(dir.path() / "duvevo.cfg"), before);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"duvevo.cfg", "groups.ini"}));
}
#endif

} // namespace
