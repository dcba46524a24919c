// The installed-list merge on a fuzzed instdics.dat, list argument and two configuration
// files, then the same list taken out again. Input parts: list (after the leading "/"),
// instdics.dat, a.cfg, b.cfg.
#include "tests/fuzz/fuzz.h"
#include "tests/support/host.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = zetfuzz::splitParts({reinterpret_cast<const char*>(data), size}, 4);
    zetfuzz::clearWorkFolder();
    zetfuzz::writeBytes(zetfuzz::pathIn("instdics.dat"), parts[1]);
    zetfuzz::writeBytes(zetfuzz::pathIn("a.cfg"), parts[2]);
    zetfuzz::writeBytes(zetfuzz::pathIn("b.cfg"), parts[3]);

    // Only names inside the work folder: ".." and absolute paths would reach other files.
    std::string list = parts[0];
    if (list.find("..") != std::string::npos || list.find(':') != std::string::npos ||
        list.find('\\') != std::string::npos)
        list = "a.cfg/b.cfg/";
    zettest::Host host;
    host.args({zetfuzz::workFolder(), "/" + list}).call(updateDuvEvoCfg);
    // The way back: what the merge appended to a duvevo.cfg it made is its sections alone, and
    // taking the same list out leaves none of them. Held for lists of ASCII without NUL only:
    // other bytes reach the Unicode builds as another argument (no UTF-8 there), or cut.
    (void)host.pop();
    host.args({zetfuzz::workFolder(), "/" + list}).call(removeFromDuvEvoCfg);
    std::error_code error;
    const auto left = std::filesystem::file_size(zetfuzz::pathIn("duvevo.cfg"), error);
    const bool ascii = std::all_of(list.begin(), list.end(), [](char c) { return c > 0; });
    if (host.pop() == "ok" && ascii && !error && left != 0) std::abort();
    return 0;
}
