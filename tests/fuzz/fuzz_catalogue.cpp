// Catalogue bytes, a selection mask and indexes, through the checker's noted read and through
// loadDicInfo, dicInfo and dicFiles on a real stack. Input parts: catalogue, mask, index list
// (one index text a line).
#include "catalogue/notes.h"
#include "catalogue/reader.h"
#include "tests/fuzz/fuzz.h"
#include "tests/support/host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = zetfuzz::splitParts({reinterpret_cast<const char*>(data), size}, 3);
    zetfuzz::clearWorkFolder();
    const std::string catalogue = zetfuzz::pathIn("catalogue.txt");
    zetfuzz::writeBytes(catalogue, parts[0]);

    // The checker's read of the same file, noting what it drops.
    zet::catalogue::CatalogueHeader header;
    zet::catalogue::DictionaryCatalogue noted;
    zet::catalogue::ReadNotes notes;
    zet::catalogue::readCatalogue(catalogue, header, noted, &notes);

    zettest::Host host;
    host.args({catalogue}).call(loadDicInfo);
    std::string_view indexes = parts[2];
    for (int round = 0; round < 8 && !indexes.empty(); ++round) {
        const auto end = indexes.find('\n');
        const std::string index(indexes.substr(0, end));
        indexes = end == std::string_view::npos ? std::string_view{} : indexes.substr(end + 1);
        host.args({catalogue, parts[1], index}).call(dicInfo);
        host.args({catalogue, parts[1], index}).call(dicFiles);
        // A missing file leaves the catalogue as the last read left it.
        host.args({zetfuzz::pathIn("missing.txt"), parts[1], index}).call(dicFiles, 16);
    }
    return 0;
}
