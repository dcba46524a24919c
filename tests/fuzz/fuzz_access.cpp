// giveAllPermissions on fuzzed paths into a small tree: folders, files, and symbolic links to a
// folder and a file that no name but the link's reaches. Input: the argument after the tree's
// own path ("*" first marks a folder, as in the export). However the path ends, the grant opens
// up at most one object and never a link's target.
#include "tests/fuzz/fuzz.h"
#include "tests/support/fsprobe.h"
#include "tests/support/host.h"

#include <array>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// No input names these: the character in their names is taken out of every input, and so is
// "~", which could name them by a short name on Windows.
constexpr char kHidden = '#';
const std::string kSecretFolder = std::string(1, kHidden) + "s";
const std::string kSecretFile = std::string(1, kHidden) + "s.dat";

struct Tree {
    std::string box;
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::vector<std::string> targets; // reached by links only
};

const Tree& tree() {
    static const Tree made = [] {
        Tree t;
        t.box = zetfuzz::pathIn("box");
        t.folders = {t.box, t.box + "/d", t.box + "/d/sub", t.box + "/" + kSecretFolder,
                     t.box + "/" + kSecretFolder + "/inner"};
        t.files = {t.box + "/f", t.box + "/d/g", t.box + "/" + kSecretFile};
        for (const auto& folder : t.folders) fs::create_directories(folder);
        for (const auto& file : t.files) zetfuzz::writeBytes(file, "x");
        // The links stand beside their targets, so a path's depth below the box is the same
        // whether a link in it is followed or not.
        zettest::makeRefusedLink(kSecretFolder, t.box + "/l");
        zettest::makeRefusedLink(kSecretFile, t.box + "/fl");
        t.targets = {t.box + "/" + kSecretFolder, t.box + "/" + kSecretFile};
        return t;
    }();
    return made;
}

void resetModes(const Tree& t) {
    for (const auto& folder : t.folders) fs::permissions(folder, fs::perms::owner_all);
    for (const auto& file : t.files)
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
}

// Whether the path stays inside the box however it is read: it never climbs above the box by
// "..", has no drive or stream (":") and does not start at a root.
bool staysInBox(std::string_view path) {
    if (path.find(':') != std::string_view::npos) return false;
    int depth = 0;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find_first_of("/\\"), path.size());
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(std::min(path.size(), end + 1));
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
    }
    return true;
}

[[maybe_unused]] void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string rest(reinterpret_cast<const char*>(data), size);
    for (char& c : rest)
        if (c == kHidden || c == '~') c = '_';
    const bool star = !rest.empty() && rest.front() == '*';
    if (star) rest.erase(0, 1);
    if (!staysInBox(rest)) return 0;

    const Tree& t = tree();
    resetModes(t);
    std::vector<zettest::AccessProbe> before;
    for (const auto* list : {&t.folders, &t.files})
        for (const auto& path : *list) before.push_back(zettest::probeAccess(path));

    zettest::Host host;
    host.args({(star ? "*" : "") + t.box + "/" + rest});
    host.call(giveAllPermissions);

    std::size_t changed = 0;
    std::size_t at = 0;
    for (const auto* list : {&t.folders, &t.files}) {
        for (const auto& path : *list) {
            const bool granted = zettest::probeAccess(path).worldFullAccess;
            if (granted != before[at++].worldFullAccess) ++changed;
            // Windows follows links, and none are made there.
            for (const auto& target : t.targets) check(!(granted && path == target));
        }
    }
    check(changed <= 1);
    return 0;
}
