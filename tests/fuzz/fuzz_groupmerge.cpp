// The group merge on fuzzed groups.ini, grnames.ini and the dictionary's own configuration
// file, into a given duvevo.cfg or the one a first call wrote. Input parts: name, groups.ini,
// grnames.ini, <name>.cfg, duvevo.cfg.
#include "tests/fuzz/fuzz.h"
#include "tests/support/host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = zetfuzz::splitParts({reinterpret_cast<const char*>(data), size}, 5);
    // A name that begins with "/" would take the other merge; keep it to this one.
    std::string name = parts[0].substr(0, parts[0].find_first_of("/\\:\n\r"));
    if (name.empty() || name.find('\0') != std::string::npos) name = "dict";
    zetfuzz::clearWorkFolder();
    zetfuzz::writeBytes(zetfuzz::pathIn("groups.ini"), parts[1]);
    zetfuzz::writeBytes(zetfuzz::pathIn("grnames.ini"), parts[2]);
    zetfuzz::writeBytes(zetfuzz::pathIn(name + ".cfg"), parts[3]);
    if (!parts[4].empty()) zetfuzz::writeBytes(zetfuzz::pathIn("duvevo.cfg"), parts[4]);

    zettest::Host host;
    host.args({zetfuzz::workFolder(), name}).call(updateDuvEvoCfg);
    // Without a duvevo.cfg of the input's own, a second call merges into the one the first
    // call wrote; an input that brings one has that merge already.
    if (parts[4].empty()) host.args({zetfuzz::workFolder(), name}).call(updateDuvEvoCfg);
    return 0;
}
